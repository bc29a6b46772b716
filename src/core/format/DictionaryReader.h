#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "files/FileStamp.h"
#include "format/TextDecoding.h"
#include "words/WordList.h"

namespace lexor {

// How a dictionary file is written, where it may differ from the form the
// game reads: Windows-1252, lines ending in CR LF (or CR), the header alone
// on its line, then the count line.
struct FileForm {
    enum class Count {
        Number,     // the second line is a number (of words or not)
        Missing,    // the second line holds no digit: it is the first word
        NotANumber, // the second line is blank, negative, or holds digits amid text
    };
    TextEncoding encoding = TextEncoding::Cp1252;
    bool lfLineEnds = false;   // some line ends in an LF alone
    bool paddedHeader = false; // blanks or tabs follow the header on its line
    Count count = Count::Number;

    // Whether the game reads the file as it is: every finding above absent.
    bool IsGames() const noexcept
    {
        return encoding == TextEncoding::Cp1252 && !lfLineEnds && !paddedHeader && count == Count::Number;
    }
    friend bool operator==(const FileForm&, const FileForm&) = default;
};

struct ReadResult {
    enum class Status {
        // The words are in the target:
        Loaded,           // exactly the declared number of words
        Truncated,        // the file ended before its count; the words read, if any, are kept
        MoreThanDeclared, // words follow the counted ones, or the count is 0; all are kept
        Uncounted,        // the count line is missing or no number (form.count); all words are kept
        // Nothing is in the target:
        NoWords,    // a dictionary without a word, or one that ends right after its header
        EmptyFile,  // not one byte
        NotText,    // NUL bytes where the header should be: not a text at all
        BadHeader,  // the first line (firstLine) is not the header
        Unmappable, // words whose characters the game's code page cannot hold (unmappable)
        ReadError,  // the file could not be opened or read, or memory ran out; error says why
    };
    Status status = Status::ReadError;
    FileForm form;
    std::uint64_t declared = 0;             // the count line's value, saturated; 0 when it has none
    std::string declaredText;               // the count as the file writes it ("12.500"), for telling the user
    std::size_t wordsRead = 0;              // words added to the target
    std::u16string firstLine;               // for BadHeader: as an editor shows it, cut at kShownFirstLine units
    std::vector<UnmappableLine> unmappable; // for Unmappable: the first lines, at most kShownUnmappable
    std::uint64_t unmappableLines = 0;      // and how many lines there are
    std::error_code error;                  // what failed, for ReadError
    // The file as it was read, so a later save can tell whether someone else
    // has changed it since; nothing when the system cannot tell the file.
    std::optional<FileStamp> stamp;

    bool HasWords() const noexcept { return wordsRead > 0; }
    // Whether the file is one the game reads as it stands, words and count
    // alike (a dictionary of no words included).
    bool InGamesForm() const noexcept
    {
        return form.IsGames() && (status == Status::Loaded || status == Status::NoWords);
    }
};

inline constexpr std::size_t kShownFirstLine = 256;

struct ReadOptions {
    // The header in any letter case, as the activation takes it; the loaders
    // want it exactly.
    bool headerInAnyCase = false;
};

// Reads a dictionary into target (which the caller has cleared), as the
// player's editor shows it: a byte-order mark says UTF-8 or UTF-16 (UTF-16
// without one is known by the NUL beside the header's "L"), a text valid as
// UTF-8 with characters beyond ASCII is UTF-8, and anything else is the
// game's Windows-1252; the words are kept in Windows-1252, so a word with a
// character it cannot hold refuses the whole file (Unmappable). Lines end as
// LineEnds.h says; the last line may lack its end. The first line is the
// header, followed by nothing but blanks or tabs. The count is the number
// the second line begins with: blanks skipped, an optional sign, then digits,
// which may be grouped by thousands with dots as Italians write them
// ("12.500" is 12500); the rest is ignored ("12abc" is 12, "2.9" is 2). A
// second line with no digit is the first word: the count line is missing.
// The words are the data and the count only a figure derived from them, so a
// file edited by hand keeps every word: the lines after the counted ones are
// words too (MoreThanDeclared, Uncounted), except, at the very end, a line
// holding only the DOS end-of-file mark (0x1A) and empty lines, which are
// only layout. Memory grows with what is really in the file, never with the
// declared count, and a file is read whole only once its header has passed.
// Running out of memory, or a word too long for a WordList, is a ReadError
// that leaves the target empty; no exception leaves the reader.
// Only regular files are opened (a folder or a FIFO is a ReadError, found
// before any open); binary mode. No more is read than the file held before
// it was opened, so data appended meanwhile is not followed. The stamp is
// that of the bytes read.
ReadResult ReadDictionary(const std::filesystem::path& path, WordList& target, const ReadOptions& options = {});

} // namespace lexor

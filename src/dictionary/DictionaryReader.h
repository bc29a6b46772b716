#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <system_error>

#include "dictionary/DictionaryFormat.h"
#include "dictionary/FileStamp.h"
#include "dictionary/WordList.h"

namespace lexor {

struct ReadResult {
    enum class Status {
        Loaded,           // exactly the declared number of words was read
        BadHeader,        // first line missing or not exactly the header
        NoWords,          // count not greater than zero, or no count line at all
        Truncated,        // the file ended before its count; the words read are kept
        MoreThanDeclared, // words follow the counted ones; all of them are kept
        ReadError,        // the file could not be opened or read, or memory ran out; error says why
    };
    Status status = Status::ReadError;
    std::uint64_t declared = 0; // the count line's value, saturated
    std::string declaredText;   // the count as the file writes it ("12.500"), for telling the user
    std::size_t read = 0;       // words added to the target
    std::error_code error;      // what failed, for ReadError
    // The file as it was opened, for the path overload, so a later save can
    // tell whether someone else has changed it since.
    std::optional<FileStamp> stamp;
};

// Reads a dictionary into target (which the caller has cleared): lines end at
// CR or CR LF, a lone LF belongs to its line, the last line may lack its end.
// The header must match exactly (a byte-order mark fails it; an empty file is
// BadHeader). The count is the number the second line begins with: blanks
// skipped, an optional sign, then digits, which may be grouped by thousands
// with dots as Italians write them ("12.500" is 12500); the rest is ignored
// ("12abc" is 12, "2.9" is 2). A file that ends right after its header has no
// count and is NoWords, as a count of no words would be.
// The words are the data and the count only a figure derived from them, so a
// file edited by hand keeps every word: the lines after the counted ones are
// words too (MoreThanDeclared), except empty lines at the very end, which are
// only layout. Memory grows with what is really in the file, never with the
// declared count. A first line is read only as far as it can still be the
// header. Running out of memory, or a word too long for a WordList, is a
// ReadError that leaves the target empty; no exception leaves the reader.
ReadResult ReadDictionary(std::istream& in, WordList& target);

// Only regular files are opened (a folder or a FIFO is a ReadError, found
// before any open); binary mode. No more is read than the file held before
// it was opened, so data appended meanwhile is not followed.
ReadResult ReadDictionary(const std::filesystem::path& path, WordList& target);

struct FirstLineResult {
    std::optional<std::string> line; // empty when the file has no first line
    std::error_code error;           // set when the file could not be opened or read
};

// Reads only the first line, with the same line rules and the same refusal
// of anything but a regular file, and of it no more than maxLength bytes: a
// longer line comes back cut at maxLength, so a huge file without line ends
// costs no more than a short one. The default reads one byte more than the
// header, the least that tells a header from a longer line.
FirstLineResult ReadFirstLine(const std::filesystem::path& path, std::size_t maxLength = kDictionaryHeader.size() + 1);

} // namespace lexor

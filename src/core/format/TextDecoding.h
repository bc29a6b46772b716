#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexor {

// How a dictionary's text is encoded: in the game's own code page
// (Windows-1252), or as today's editors save it.
enum class TextEncoding {
    Cp1252,
    Utf8,    // without a byte-order mark
    Utf8Bom, // "UTF-8 con BOM" in Notepad
    Utf16Le, // "Unicode" in Notepad, with its mark
    Utf16Be,
};

// What the first bytes of a text announce: a byte-order mark, and its length;
// or, for UTF-16 saved without a mark, the NUL beside the header's first
// letter (length 0). Cp1252 when they announce nothing; whether such a text
// is UTF-8 only all of it can tell (IsUtf8).
struct EncodingMark {
    TextEncoding encoding = TextEncoding::Cp1252;
    std::size_t length = 0;
};
EncodingMark MarkOf(std::string_view start) noexcept;

// Whether a text without a mark is UTF-8: valid UTF-8 throughout, with at
// least one character beyond ASCII (a text of ASCII alone reads the same
// either way, and is taken as the game's own). A Windows-1252 text with
// accented letters is practically never valid UTF-8: there an accented letter
// is one byte from 0xC0 up, which UTF-8 allows only as the lead of a sequence
// whose next bytes all lie in 0x80..0xBF, and in a word it is followed by a
// plain letter or by a line end; the few Windows-1252 characters in
// 0x80..0xBF (quotes, dashes, signs) would have to follow it, which no word
// of a word game does.
bool IsUtf8(std::string_view text) noexcept;

// A line holding characters that the game's code page cannot hold, numbered
// as an editor numbers it (the first line is 1), with its text.
struct UnmappableLine {
    std::uint64_t number = 0;
    std::u16string text;
};

// The outcome of re-encoding: the size of the Windows-1252 text, or, when
// some characters have none of its bytes (or are not valid in the encoding),
// the first lines that hold them and how many lines do.
struct Transcoded {
    std::size_t size = 0;
    std::vector<UnmappableLine> unmappable; // at most kShownUnmappable
    std::uint64_t unmappableLines = 0;
};
inline constexpr std::size_t kShownUnmappable = 5;

// Re-encodes text (in encoding, its mark left out) as Windows-1252 into out,
// which may be the text's own first byte: no character takes more bytes
// there than in the text. Line ends stay as they are. When any line cannot
// be re-encoded, nothing is written and the result names the lines.
Transcoded ToCp1252(const char* text, std::size_t size, TextEncoding encoding, char* out);

// The first line of a text, after its mark, as an editor would show it, of at
// most maxUnits UTF-16 units: for a text without a mark, as UTF-8 when the
// line is valid UTF-8 and as Windows-1252 otherwise. Characters that are not
// valid in the encoding show as U+FFFD.
std::u16string FirstLineOf(std::string_view text, TextEncoding encoding, std::size_t maxUnits);

} // namespace lexor

#include "format/TextDecoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "format/Cp1252.h"
#include "format/LineEnds.h"

namespace lexor {
namespace {

using Byte = unsigned char;

// One character decoded from the text, and the bytes it took. A sequence
// that is not valid in the encoding takes the least it can (one byte of
// UTF-8, one unit of UTF-16) and has no value.
struct CodePoint {
    char32_t value = 0;
    std::size_t length = 0;
    bool valid = false;
};

constexpr char32_t kReplacement = 0xFFFD;

// The first byte from p on that is not plain ASCII, or end. Most of a
// dictionary is ASCII, so it is passed over eight bytes at a time.
const Byte* SkipAscii(const Byte* p, const Byte* end) noexcept
{
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    for (std::uint64_t word = 0; end - p >= 8; p += 8) {
        std::memcpy(&word, p, 8);
        if (word & kHighBits)
            break;
    }
    while (p < end && *p < 0x80)
        ++p;
    return p;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
CodePoint DecodeUtf8(const Byte* p, const Byte* end) noexcept
{
    const unsigned lead = p[0];
    if (lead < 0x80)
        return {lead, 1, true};
    std::size_t more = 0;
    char32_t value = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1;
        value = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2;
        value = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3;
        value = lead & 0x07;
        least = 0x10000;
    } else {
        return {kReplacement, 1, false};
    }
    if (static_cast<std::size_t>(end - p) <= more)
        return {kReplacement, 1, false};
    for (std::size_t k = 1; k <= more; ++k) {
        if ((p[k] & 0xC0) != 0x80)
            return {kReplacement, 1, false};
        value = value << 6 | (p[k] & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return {kReplacement, 1, false};
    return {value, more + 1, true};
}

template <bool kBigEndian> char32_t Unit(const Byte* p) noexcept
{
    return kBigEndian ? char32_t(p[0]) << 8 | p[1] : char32_t(p[1]) << 8 | p[0];
}

// UTF-16: a pair of surrogates is one character, a lone one is not valid,
// and neither is an odd byte at the end.
template <bool kBigEndian> CodePoint DecodeUtf16(const Byte* p, const Byte* end) noexcept
{
    if (end - p < 2)
        return {kReplacement, static_cast<std::size_t>(end - p), false};
    const char32_t high = Unit<kBigEndian>(p);
    if (high < 0xD800 || high > 0xDFFF)
        return {high, 2, true};
    if (high >= 0xDC00 || end - p < 4)
        return {kReplacement, 2, false};
    const char32_t low = Unit<kBigEndian>(p + 2);
    if (low < 0xDC00 || low > 0xDFFF)
        return {kReplacement, 2, false};
    return {0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00), 4, true};
}

CodePoint DecodeCp1252(const Byte* p, const Byte*) noexcept
{
    return {Cp1252ToUtf16(std::string_view(reinterpret_cast<const char*>(p), 1))[0], 1, true};
}

using Decoder = CodePoint (*)(const Byte*, const Byte*) noexcept;

Decoder DecoderFor(TextEncoding encoding) noexcept
{
    switch (encoding) {
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom:
        return DecodeUtf8;
    case TextEncoding::Utf16Le:
        return DecodeUtf16<false>;
    case TextEncoding::Utf16Be:
        return DecodeUtf16<true>;
    case TextEncoding::Cp1252:
        break;
    }
    return DecodeCp1252;
}

void AppendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
}

// The text of [p, end) up to its first line end, of at most maxUnits units.
std::u16string LineText(const Byte* p, const Byte* end, Decoder decode, std::size_t maxUnits)
{
    std::u16string line;
    while (p < end && line.size() < maxUnits) {
        const CodePoint c = decode(p, end);
        if (c.valid && LineEnds::IsEnd(c.value))
            break;
        AppendUtf16(line, c.value);
        p += c.length;
    }
    line.resize(std::min(line.size(), maxUnits));
    return line;
}

// The lines that hold a character without a Windows-1252 byte, numbered
// with the line rules of LineEnds as they apply to characters.
Transcoded FindUnmappable(const Byte* p, const Byte* end, Decoder decode)
{
    Transcoded result;
    std::uint64_t number = 1;
    const Byte* lineStart = p;
    bool unmappable = false;
    char32_t previous = 0;
    const auto endLine = [&](const Byte* next) {
        if (unmappable) {
            ++result.unmappableLines;
            if (result.unmappable.size() < kShownUnmappable)
                result.unmappable.push_back({number, LineText(lineStart, end, decode, std::u16string::npos)});
        }
        ++number;
        lineStart = next;
        unmappable = false;
    };
    while (p < end) {
        const CodePoint c = decode(p, end);
        const Byte* next = p + c.length;
        const char32_t value = c.valid ? c.value : kReplacement;
        if (LineEnds::CompletesPair(previous, value))
            lineStart = next;
        else if (LineEnds::IsEnd(value))
            endLine(next);
        else if (!c.valid || Cp1252Byte(value) < 0)
            unmappable = true;
        previous = value;
        p = next;
    }
    if (unmappable)
        endLine(end);
    return result;
}

} // namespace

EncodingMark MarkOf(std::string_view start) noexcept
{
    const auto starts = [start](std::string_view mark) { return start.substr(0, mark.size()) == mark; };
    using namespace std::string_view_literals;
    if (starts("\xEF\xBB\xBF"sv))
        return {TextEncoding::Utf8Bom, 3};
    if (starts("\xFF\xFE"sv))
        return {TextEncoding::Utf16Le, 2};
    if (starts("\xFE\xFF"sv))
        return {TextEncoding::Utf16Be, 2};
    // Every dictionary begins with the header's "L"; in UTF-16 without a
    // mark a NUL stands beside it.
    if (starts("L\0"sv))
        return {TextEncoding::Utf16Le, 0};
    if (starts("\0L"sv))
        return {TextEncoding::Utf16Be, 0};
    return {};
}

bool IsUtf8(std::string_view text) noexcept
{
    const auto* p = reinterpret_cast<const Byte*>(text.data());
    const Byte* end = p + text.size();
    p = SkipAscii(p, end);
    if (p == end)
        return false;
    while (p < end) {
        const CodePoint c = DecodeUtf8(p, end);
        if (!c.valid)
            return false;
        p = SkipAscii(p + c.length, end);
    }
    return true;
}

Transcoded ToCp1252(const char* text, std::size_t size, TextEncoding encoding, char* out)
{
    const auto* p = reinterpret_cast<const Byte*>(text);
    const Byte* end = p + size;
    const Decoder decode = DecoderFor(encoding);
    // ASCII is itself in UTF-8 and in Windows-1252, so its runs are passed
    // over, or moved down to where the text is written, as they stand.
    const bool utf8 = encoding == TextEncoding::Utf8 || encoding == TextEncoding::Utf8Bom;
    // First only whether every character has a byte, which the words of a
    // dictionary have; where one lacks it, the lines are found and numbered
    // at leisure.
    for (const Byte* q = p; q < end;) {
        if (utf8 && (q = SkipAscii(q, end)) == end)
            break;
        const CodePoint c = decode(q, end);
        if (!c.valid || Cp1252Byte(c.value) < 0)
            return FindUnmappable(p, end, decode);
        q += c.length;
    }
    char* at = out;
    while (p < end) {
        if (utf8) {
            const Byte* ascii = SkipAscii(p, end);
            std::memmove(at, p, static_cast<std::size_t>(ascii - p));
            at += ascii - p;
            if ((p = ascii) == end)
                break;
        }
        const CodePoint c = decode(p, end);
        *at++ = static_cast<char>(Cp1252Byte(c.value));
        p += c.length;
    }
    Transcoded result;
    result.size = static_cast<std::size_t>(at - out);
    return result;
}

std::u16string FirstLineOf(std::string_view text, TextEncoding encoding, std::size_t maxUnits)
{
    const auto* p = reinterpret_cast<const Byte*>(text.data());
    const Byte* end = p + text.size();
    if (encoding == TextEncoding::Cp1252) {
        const char* lineEnd = LineEnds::Find(text.data(), text.data() + text.size());
        if (IsUtf8({text.data(), static_cast<std::size_t>(lineEnd - text.data())}))
            encoding = TextEncoding::Utf8;
    }
    return LineText(p, end, DecoderFor(encoding), maxUnits);
}

} // namespace lexor

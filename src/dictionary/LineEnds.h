#pragma once

#include <cstddef>

namespace lexor {

// Where a line of a dictionary ends: at CR LF, at a CR alone and at an LF
// alone, in any mix, as the editors that players use write them. A line end
// never belongs to a word: a word holding one could never be played. These
// are the only rules; every reader of lines, of bytes or of characters,
// asks them.
struct LineEnds {
    template <class Char> static constexpr bool IsEnd(Char c) noexcept { return c == Char('\r') || c == Char('\n'); }

    // Whether c, right after previous, completes a CR LF pair: one line end,
    // not two.
    template <class Char> static constexpr bool CompletesPair(Char previous, Char c) noexcept
    {
        return previous == Char('\r') && c == Char('\n');
    }

    // The first line end in [at, stop), or stop.
    static const char* Find(const char* at, const char* stop) noexcept
    {
        while (at < stop && !IsEnd(*at))
            ++at;
        return at;
    }

    // Where the line after the line end at `end` begins: past the end, and
    // past the LF that completes a CR LF pair. stop bounds the text.
    static const char* After(const char* end, const char* stop) noexcept
    {
        return end + 1 < stop && CompletesPair(end[0], end[1]) ? end + 2 : end + 1;
    }

    // Whether the byte at i of text is an LF alone, which the game does not
    // take for a line end.
    static bool IsLoneLf(const char* text, std::size_t i) noexcept
    {
        return text[i] == '\n' && (i == 0 || !CompletesPair(text[i - 1], text[i]));
    }
};

} // namespace lexor

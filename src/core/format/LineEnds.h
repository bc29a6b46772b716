#pragma once

#include <bit>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

    // The lines of [begin, end), which must not begin with the LF of a pair
    // whose CR lies before it: visit(lineBegin, lineEnd) for each line that
    // ends there, in order. Returns where the unfinished last line begins,
    // end when the text ends with a line end. A dictionary is mostly short
    // words, so the line ends are looked for many bytes at a time where the
    // processor can (SSE2, which every x86-64 processor has).
    template <class Visit> static const char* ForEachLine(const char* begin, const char* end, Visit&& visit)
    {
        const char* start = begin;
        const auto atEnd = [&](const char* at) {
            visit(start, at);
            start = After(at, end);
        };
        const char* at = begin;
#if defined(__SSE2__)
        // Sixteen bytes at a time; an LF that completes a pair is passed
        // over with its CR.
        unsigned carry = 0; // a CR in the last byte of the block before
        for (; end - at >= 16; at += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
            const auto cr = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'))));
            const auto lf = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))));
            for (unsigned ends = cr | (lf & ~((cr << 1) | carry)); ends != 0; ends &= ends - 1)
                atEnd(at + std::countr_zero(ends));
            carry = cr >> 15;
        }
#endif
        for (; at < end; ++at) {
            if (IsEnd(*at) && !(at > begin && CompletesPair(at[-1], *at)))
                atEnd(at);
        }
        return start;
    }

    // How many line ends [begin, end) holds (on the terms of ForEachLine),
    // and whether any of them is an LF alone, which the game does not take
    // for a line end.
    struct Tally {
        std::size_t ends = 0;
        bool loneLf = false;
    };
    static Tally Count(const char* begin, const char* end) noexcept
    {
        std::size_t crs = 0;
        std::size_t lfs = 0;
        std::size_t pairs = 0; // counted at their CR, which needs the byte after it
        const char* at = begin;
#if defined(__SSE2__)
        // Sixteen bytes at a time, into byte-sized counters that are added
        // up before they can overflow.
        const __m128i zero = _mm_setzero_si128();
        const auto sum = [zero](__m128i counters) {
            const __m128i halves = _mm_sad_epu8(counters, zero);
            return static_cast<std::size_t>(_mm_cvtsi128_si32(halves)) +
                   static_cast<std::size_t>(_mm_cvtsi128_si32(_mm_srli_si128(halves, 8)));
        };
        while (end - at > 16) {
            __m128i crCount = zero;
            __m128i lfCount = zero;
            __m128i pairCount = zero;
            for (int round = 0; round < 255 && end - at > 16; ++round, at += 16) {
                const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
                const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
                const __m128i cr = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'));
                crCount = _mm_sub_epi8(crCount, cr);
                lfCount = _mm_sub_epi8(lfCount, _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')));
                pairCount = _mm_sub_epi8(pairCount, _mm_and_si128(cr, _mm_cmpeq_epi8(next, _mm_set1_epi8('\n'))));
            }
            crs += sum(crCount);
            lfs += sum(lfCount);
            pairs += sum(pairCount);
        }
#endif
        for (; at < end; ++at) {
            crs += *at == '\r';
            lfs += *at == '\n';
            pairs += at + 1 < end && CompletesPair(at[0], at[1]);
        }
        return {crs + lfs - pairs, lfs > pairs};
    }
};

} // namespace lexor

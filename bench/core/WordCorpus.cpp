#include "WordCorpus.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string_view>
#include <unordered_map>

#include "BenchSupport.h"
#include "format/Cp1252.h"

namespace lexor::bench {
namespace {

constexpr std::array<const char*, 3> kLists = {
    "/usr/share/dict/american-english-huge",
    "/usr/share/dict/british-english-huge",
    "/usr/share/dict/italian",
};

// Endings added to make more variants once the plain words and their capital
// forms run out; English and Italian both.
constexpr std::array<std::string_view, 12> kEndings = {"",   "s",  "i",   "e",     "a",      "o",
                                                       "ed", "er", "ing", "mente", "issimo", "zione"};

// Unicode to Windows-1252, built from the core's own decoding table.
const std::unordered_map<char32_t, char>& EncodeTable()
{
    static const auto table = [] {
        std::unordered_map<char32_t, char> map;
        for (int b = 0; b < 256; ++b) {
            const std::string byte(1, static_cast<char>(b));
            map.emplace(Cp1252ToUtf16(byte)[0], static_cast<char>(b));
        }
        return map;
    }();
    return table;
}

// A UTF-8 line in Windows-1252, or nothing when a character has no byte there.
std::optional<std::string> ToCp1252(std::string_view utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > utf8.size())
            return std::nullopt;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        i += static_cast<std::size_t>(length);
        const auto found = EncodeTable().find(code);
        if (found == EncodeTable().end() || code < 0x20)
            return std::nullopt;
        out += found->second;
    }
    return out;
}

std::vector<std::string> BaseWords()
{
    std::vector<std::string> words;
    for (const char* list : kLists) {
        std::ifstream in(list, std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            if (auto word = ToCp1252(line); word && !word->empty())
                words.push_back(std::move(*word));
        }
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    return words;
}

char Upper(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
        return static_cast<char>(u - 0x20);
    return c;
}

// Variant `layer` of a word: the ending layer / 3, then as it stands, with a
// capital or in capitals.
std::string Variant(const std::string& base, std::size_t layer)
{
    std::string word = base + std::string(kEndings[layer / 3 % kEndings.size()]);
    if (layer % 3 == 1)
        word[0] = Upper(word[0]);
    else if (layer % 3 == 2)
        std::transform(word.begin(), word.end(), word.begin(), Upper);
    return word;
}

std::vector<std::string> GeneratedWords(std::size_t count, std::uint64_t seed)
{
    std::mt19937_64 rng(seed);
    const int indexLetters = IndexLetters(count);
    std::vector<std::string> words;
    words.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        words.push_back(MakeWord(i, indexLetters, rng, true));
    return words;
}

} // namespace

void Shuffle(std::vector<std::string>& words, std::uint64_t seed)
{
    std::mt19937_64 rng(seed);
    for (std::size_t i = words.size(); i > 1; --i)
        std::swap(words[i - 1], words[rng() % i]);
}

std::vector<std::string> CorpusWords(std::size_t count, std::uint64_t seed)
{
    const std::vector<std::string> bases = BaseWords();
    std::vector<std::string> words;
    if (bases.empty()) {
        std::fprintf(stderr, "no word lists in /usr/share/dict: generated words instead\n");
        words = GeneratedWords(count, seed);
    } else {
        // Whole layers of variants until there are enough distinct words.
        for (std::size_t layer = 0; words.size() < count && layer < 3 * kEndings.size(); ++layer) {
            for (const auto& base : bases)
                words.push_back(Variant(base, layer));
            if (words.size() >= count) {
                std::sort(words.begin(), words.end());
                words.erase(std::unique(words.begin(), words.end()), words.end());
            }
        }
        if (words.size() < count) {
            std::fprintf(stderr, "the word lists give only %zu distinct words\n", words.size());
            std::exit(1);
        }
    }
    Shuffle(words, seed);
    words.resize(count);
    return words;
}

} // namespace lexor::bench

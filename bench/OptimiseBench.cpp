#include "OptimiseBench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "dictionary/DictionaryReader.h"
#include "dictionary/DictionaryWriter.h"
#include "dictionary/WordList.h"
#include "optimise/DuplicateRemoval.h"

namespace lexor::bench {
namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Peak resident memory in KiB where the system reports it (Linux), else -1.
long PeakKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

// Distinct by construction: a random stem, then the index as a fixed number
// of base-26 letters; now and then an accented letter (Windows-1252) in the
// stem, so the collation has work to do.
std::string MakeWord(std::size_t index, int indexLetters, std::mt19937_64& rng)
{
    static constexpr char kAccented[] = {'\xE0', '\xE8', '\xE9', '\xEC', '\xF2', '\xF9'};
    std::uniform_int_distribution<int> letter('a', 'z');
    std::uniform_int_distribution<int> stemLength(2, 7);
    std::uniform_int_distribution<int> accent(0, 19);
    std::string word;
    for (int k = stemLength(rng); k > 0; --k)
        word += accent(rng) == 0 ? kAccented[static_cast<std::size_t>(letter(rng) - 'a') % 6]
                                 : static_cast<char>(letter(rng));
    for (int k = 0; k < indexLetters; ++k) {
        word += static_cast<char>('a' + index % 26);
        index /= 26;
    }
    return word;
}

} // namespace

std::vector<std::string> MakeOptimiseWords(std::size_t total, std::size_t percent)
{
    percent = std::min<std::size_t>(percent, 100);
    const std::size_t repeats = total * percent / 100;
    const std::size_t distinct = std::max<std::size_t>(total - repeats, total > 0 ? 1 : 0);
    int indexLetters = 1;
    for (std::size_t room = 26; room < distinct; room *= 26)
        ++indexLetters;
    std::mt19937_64 rng(1532);
    std::vector<std::string> words;
    words.reserve(total);
    for (std::size_t i = 0; i < distinct; ++i)
        words.push_back(MakeWord(i, indexLetters, rng));
    std::uniform_int_distribution<std::size_t> pick(0, distinct - 1);
    while (words.size() < total)
        words.push_back(words[pick(rng)]);
    std::shuffle(words.begin(), words.end(), rng);
    return words;
}

int RunOptimise(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: lexor-bench optimise IN OUT\n");
        return 2;
    }
    const auto t0 = Clock::now();
    WordList words;
    const ReadResult read = ReadDictionary(std::filesystem::path(argv[0]), words);
    const auto t1 = Clock::now();
    if (read.status != ReadResult::Status::Loaded && read.status != ReadResult::Status::Truncated) {
        std::fprintf(stderr, "cannot load %s: %s\n", argv[0], read.error.c_str());
        return 1;
    }
    WordList duplicates;
    const auto removed = RemoveDuplicates(words, duplicates);
    const auto t2 = Clock::now();
    const WriteResult written = SaveDictionary(std::filesystem::path(argv[1]), words);
    const auto t3 = Clock::now();
    if (!written) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], written.error.c_str());
        return 1;
    }
    std::printf("words %zu, removed %zu, kept %zu\n", read.read, removed, words.ListCount());
    std::printf("read %.1f ms, remove %.1f ms, write %.1f ms, total %.1f ms\n", Ms(t0, t1), Ms(t1, t2), Ms(t2, t3),
                Ms(t0, t3));
    const long peak = PeakKiB();
    if (peak >= 0)
        std::printf("peak memory %.1f MiB\n", static_cast<double>(peak) / 1024.0);
    else
        std::printf("peak memory n/a\n");
    return 0;
}

int RunOptimiseData(int argc, char** argv)
{
    if (argc < 1 || argc > 4) {
        std::fprintf(stderr, "usage: lexor-bench optimise-data OUT [WORDS [REPEAT_PERCENT [WORDS_ONLY_OUT]]]\n");
        return 2;
    }
    const std::size_t total = argc > 1 ? std::stoul(argv[1]) : 1000000;
    const std::size_t percent = argc > 2 ? std::stoul(argv[2]) : 10;
    const std::vector<std::string> words = MakeOptimiseWords(total, percent);
    std::ofstream out(argv[0], std::ios::binary);
    out << "Lexor Dictionary Volume\r\n" << words.size() << "\r\n";
    for (const auto& w : words)
        out << w << "\r\n";
    if (argc > 3) {
        std::ofstream plain(argv[3], std::ios::binary);
        for (const auto& w : words)
            plain << w << '\n';
    }
    std::printf("%zu words, %zu%% of them repeats\n", words.size(), std::min<std::size_t>(percent, 100));
    return out ? 0 : 1;
}

} // namespace lexor::bench

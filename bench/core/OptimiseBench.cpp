#include "OptimiseBench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "WordCorpus.h"
#include "format/DictionaryReader.h"
#include "format/DictionaryWriter.h"
#include "optimise/DuplicateRemoval.h"
#include "words/WordList.h"

namespace lexor::bench {
std::vector<std::string> MakeOptimiseWords(std::size_t total, std::size_t percent)
{
    percent = std::min<std::size_t>(percent, 100);
    const std::size_t repeats = total * percent / 100;
    const std::size_t distinct = std::max<std::size_t>(total - repeats, total > 0 ? 1 : 0);
    std::vector<std::string> words = CorpusWords(distinct, 1532);
    words.reserve(total);
    std::mt19937_64 rng(1533);
    while (words.size() < total)
        words.push_back(words[rng() % distinct]);
    Shuffle(words, 1534);
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
    if (read.status == ReadResult::Status::BadHeader || read.status == ReadResult::Status::NoWords ||
        read.status == ReadResult::Status::ReadError) {
        std::fprintf(stderr, "cannot load %s: %s\n", argv[0], read.error.message().c_str());
        return 1;
    }
    WordList duplicates;
    const auto removed = RemoveDuplicates(words, duplicates);
    const auto t2 = Clock::now();
    const WriteResult written = SaveDictionary(std::filesystem::path(argv[1]), words);
    const auto t3 = Clock::now();
    if (!written) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], written.error.message().c_str());
        return 1;
    }
    std::printf("words %zu, removed %zu, kept %zu\n", read.wordsRead, removed, words.ListCount());
    std::printf("read %.1f ms, remove %.1f ms, write %.1f ms, total %.1f ms\n", Ms(t0, t1), Ms(t1, t2), Ms(t2, t3),
                Ms(t0, t3));
    PrintPeakMemory();
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
    WriteDictionaryFile(argv[0], words);
    if (argc > 3) {
        std::ofstream plain(argv[3], std::ios::binary);
        for (const auto& w : words)
            plain << w << '\n';
    }
    std::printf("%zu words, %zu%% of them repeats\n", words.size(), std::min<std::size_t>(percent, 100));
    return 0;
}

} // namespace lexor::bench

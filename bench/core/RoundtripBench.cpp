#include "RoundtripBench.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "BenchSupport.h"
#include "WordCorpus.h"
#include "format/DictionaryReader.h"
#include "format/DictionaryWriter.h"
#include "words/WordList.h"

namespace lexor::bench {

int RunRoundtrip(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: lexor-bench roundtrip IN OUT\n");
        return 2;
    }
    const std::filesystem::path in(argv[0]);
    const auto t0 = Clock::now();
    WordList words;
    const ReadResult read = ReadDictionary(in, words);
    const auto t1 = Clock::now();
    if (read.status == ReadResult::Status::BadHeader || read.status == ReadResult::Status::NoWords ||
        read.status == ReadResult::Status::ReadError) {
        std::fprintf(stderr, "cannot load %s: %s\n", argv[0], read.error.message().c_str());
        return 1;
    }
    // The load's own peak, before the writer's buffer adds to it.
    PrintPeakMemory("load peak memory");
    const WriteResult written = SaveDictionary(std::filesystem::path(argv[1]), words);
    const auto t2 = Clock::now();
    if (!written) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], written.error.message().c_str());
        return 1;
    }
    std::error_code ec;
    const auto size = std::filesystem::file_size(in, ec);
    std::printf("words %zu, file %.1f MiB\n", words.ListCount(), ec ? 0.0 : static_cast<double>(size) / 1048576.0);
    std::printf("read+sort %.1f ms, write %.1f ms, total %.1f ms\n", Ms(t0, t1), Ms(t1, t2), Ms(t0, t2));
    PrintPeakMemory();
    return 0;
}

int RunRoundtripData(int argc, char** argv)
{
    if (argc < 1 || argc > 3) {
        std::fprintf(stderr, "usage: lexor-bench roundtrip-data OUT [WORDS [WORDS_ONLY_OUT]]\n");
        return 2;
    }
    const std::size_t count = argc > 1 ? std::stoul(argv[1]) : 1000000;
    const std::vector<std::string> words = CorpusWords(count, 1000);
    WriteDictionaryFile(argv[0], words);
    if (argc > 2) {
        std::ofstream plain(argv[2], std::ios::binary);
        for (const auto& w : words)
            plain << w << '\n';
    }
    std::printf("%zu words\n", words.size());
    return 0;
}

} // namespace lexor::bench

#include "CompareBench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string_view>

#include "BenchSupport.h"
#include "WordCorpus.h"
#include "compare/CompareEngine.h"
#include "format/DictionaryFormat.h"
#include "format/DictionaryReader.h"
#include "format/DictionaryWriter.h"
#include "words/WordList.h"

namespace lexor::bench {
namespace {

// Puts words in the order a sorted list keeps.
void SortAsAList(std::vector<std::string>& words)
{
    WordList list;
    list.AddItems(std::vector<std::string_view>(words.begin(), words.end()));
    for (WordList::size_type i = 0; i < list.ListCount(); ++i)
        words[i] = list.List(i);
}

bool Save(const std::filesystem::path& folder, std::string_view name, const WordList& words, const char* emptyMessage)
{
    if (words.ListCount() < 1) {
        std::printf("%s\n", emptyMessage);
        return true;
    }
    const WriteResult written = SaveDictionary(folder / name, words);
    if (!written) {
        std::printf("Impossibile salvare il file:\n%s\n%s\n", (folder / name).string().c_str(),
                    written.error.message().c_str());
        return false;
    }
    std::printf("File %.*s salvato!\n", static_cast<int>(name.size()), name.data());
    return true;
}

bool Load(const char* path, WordList& words)
{
    const ReadResult read = ReadDictionary(std::filesystem::path(path), words);
    if (words.ListCount() > 0)
        return true;
    std::fprintf(stderr, "cannot load %s: %s\n", path,
                 read.status == ReadResult::Status::ReadError ? read.error.message().c_str()
                                                              : "not a dictionary with words");
    return false;
}

} // namespace

ComparePair MakeComparePair(std::size_t words, std::size_t percent)
{
    const std::size_t replaced = words * std::min<std::size_t>(percent, 100) / 100;
    std::vector<std::string> corpus = CorpusWords(words + replaced, 2021);
    ComparePair pair;
    // The corpus is shuffled, so the first `replaced` words are a random choice.
    pair.modified.assign(corpus.begin() + static_cast<std::ptrdiff_t>(replaced), corpus.end());
    corpus.resize(words);
    pair.original = std::move(corpus);
    Shuffle(pair.modified, 2022);
    return pair;
}

int RunCompare(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: lexor-bench compare ORIG MOD OUTDIR\n");
        return 2;
    }
    const std::filesystem::path out(argv[2]);
    const auto t0 = Clock::now();
    WordList original;
    WordList modified;
    if (!Load(argv[0], original) || !Load(argv[1], modified))
        return 1;
    const auto t1 = Clock::now();
    WordList added;
    CompareDictionaries(original, modified, added, [](int) {});
    const auto t2a = Clock::now();
    modified.Clear();
    const auto t2 = Clock::now();
    const bool saved = Save(out, kAddedWordsFile, added, "Nessuna parola aggiunta!") &&
                       Save(out, kMissingWordsFile, original, "Nessuna parola mancante!");
    const auto t3 = Clock::now();
    std::printf("added %zu, missing %zu\n", added.ListCount(), original.ListCount());
    std::printf("read %.1f ms, compare %.1f ms, clear %.1f ms, write %.1f ms, total %.1f ms\n", Ms(t0, t1), Ms(t1, t2a),
                Ms(t2a, t2), Ms(t2, t3), Ms(t0, t3));
    PrintPeakMemory();
    return saved ? 0 : 1;
}

int RunCompareData(int argc, char** argv)
{
    if (argc < 2 || argc > 5) {
        std::fprintf(stderr, "usage: lexor-bench compare-data ORIG MOD [WORDS [PERCENT [sorted]]]\n");
        return 2;
    }
    const std::size_t words = argc > 2 ? std::stoul(argv[2]) : 1000000;
    const std::size_t percent = argc > 3 ? std::stoul(argv[3]) : 1;
    ComparePair pair = MakeComparePair(words, percent);
    if (argc > 4 && std::string_view(argv[4]) == "sorted") {
        SortAsAList(pair.original);
        SortAsAList(pair.modified);
    }
    WriteDictionaryFile(argv[0], pair.original);
    WriteDictionaryFile(argv[1], pair.modified);
    std::printf("%zu and %zu words\n", pair.original.size(), pair.modified.size());
    return 0;
}

} // namespace lexor::bench

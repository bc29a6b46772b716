// Google Benchmark cases of the comparison: the engine alone on two
// 1,000,000-word lists that differ by 1%, the comparison window (offscreen)
// from CONFRONTA until it is idle again, showing its result, on that pair,
// and the load of the original into the window, from the dialog's return
// until the window is idle again, in turn with the core's read and sort of
// the same file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string_view>
#include <vector>

#include "BenchSupport.h"
#include "CompareBench.h"
#include "GuiBench.h"
#include "compare/CompareEngine.h"
#include "windows/Tool1.h"
#include "words/WordList.h"

namespace {

using lexor::WordList;

constexpr std::size_t kWords = 1000000;
constexpr std::size_t kPercent = 1;

const lexor::bench::ComparePair& Pair()
{
    static const auto pair = lexor::bench::MakeComparePair(kWords, kPercent);
    return pair;
}

// inFileOrder: the words are stored in the shuffled order they come in, as
// the loader stores a shuffled file; else in sorted order, as the loader
// stores a file that this system wrote (a copy lays them out so).
WordList Sorted(const std::vector<std::string>& words, bool inFileOrder)
{
    WordList list;
    list.AddItems(std::vector<std::string_view>(words.begin(), words.end()));
    if (inFileOrder)
        return list;
    WordList copy(list);
    return copy;
}

void BM_CompareEngine(benchmark::State& state)
{
    const WordList original = Sorted(Pair().original, state.range(0) == 1);
    const WordList modified = Sorted(Pair().modified, state.range(0) == 1);
    for (auto _ : state) {
        state.PauseTiming();
        WordList o = original;
        WordList added;
        state.ResumeTiming();
        // The window's receiver: act only when the percent changes.
        int shown = -1;
        lexor::CompareDictionaries(o, modified, added, [&shown](int percent) {
            if (percent != shown)
                benchmark::DoNotOptimize(shown = percent);
        });
        benchmark::DoNotOptimize(added.ListCount());
    }
}
BENCHMARK(BM_CompareEngine)
    ->ArgName("shuffled")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(11);

std::filesystem::path Folder()
{
    static const auto folder = [] {
        auto path = std::filesystem::temp_directory_path() / "lexor-compare-bench";
        std::filesystem::create_directories(path);
        lexor::bench::WriteDictionaryFile((path / "originale.lexor").string(), Pair().original);
        lexor::bench::WriteDictionaryFile((path / "modificato.lexor").string(), Pair().modified);
        return path;
    }();
    return folder;
}

void BM_Tool1Confronta(benchmark::State& state)
{
    lexor::bench::TimeWindowRun<lexor::Tool1>(
        state, {{"Command1", Folder() / "originale.lexor"}, {"Command2", Folder() / "modificato.lexor"}}, "Command5");
}
BENCHMARK(BM_Tool1Confronta)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7);

void BM_Tool1Load(benchmark::State& state)
{
    lexor::bench::TimeWindowLoad<lexor::Tool1>(state, Folder() / "originale.lexor");
}
BENCHMARK(BM_Tool1Load)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(11);

} // namespace

int main(int argc, char** argv)
{
    return lexor::bench::RunGuiBenchmarks(argc, argv, std::filesystem::temp_directory_path() / "lexor-compare-bench");
}

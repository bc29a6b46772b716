// Google Benchmark cases of the optimisation: the duplicate removal alone on
// 1,000,000 words with 10% repeats, the optimiser window (offscreen) from
// OTTIMIZZA until it is idle again, showing its result, on the same words,
// and the load of that file into the window, from the dialog's return until
// the window is idle again, in turn with the core's read and sort of the
// same file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "BenchSupport.h"
#include "GuiBench.h"
#include "OptimiseBench.h"
#include "format/DictionaryReader.h"
#include "optimise/DuplicateRemoval.h"
#include "windows/Tool2.h"
#include "words/WordList.h"

namespace {

using lexor::WordList;

const std::vector<std::string>& Words()
{
    static const auto words = lexor::bench::MakeOptimiseWords(1000000, 10);
    return words;
}

std::filesystem::path Folder()
{
    static const auto folder = [] {
        auto path = std::filesystem::temp_directory_path() / "lexor-optimise-bench";
        std::filesystem::create_directories(path);
        lexor::bench::WriteDictionaryFile((path / "doppie.lexor").string(), Words());
        return path;
    }();
    return folder;
}

// The list as the loader leaves it, so the words lie where the reader put
// them and not in list order.
void BM_RemoveDuplicates(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        WordList words;
        lexor::ReadDictionary(Folder() / "doppie.lexor", words);
        WordList duplicates;
        state.ResumeTiming();
        benchmark::DoNotOptimize(lexor::RemoveDuplicates(words, duplicates));
    }
}
BENCHMARK(BM_RemoveDuplicates)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(21);

void BM_Tool2Ottimizza(benchmark::State& state)
{
    lexor::bench::TimeWindowRun<lexor::Tool2>(state, {{"Command1", Folder() / "doppie.lexor"}}, "Command2");
}
BENCHMARK(BM_Tool2Ottimizza)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7);

void BM_Tool2Load(benchmark::State& state)
{
    lexor::bench::TimeWindowLoad<lexor::Tool2>(state, Folder() / "doppie.lexor");
}
BENCHMARK(BM_Tool2Load)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(11);

} // namespace

int main(int argc, char** argv)
{
    return lexor::bench::RunGuiBenchmarks(argc, argv, std::filesystem::temp_directory_path() / "lexor-optimise-bench");
}

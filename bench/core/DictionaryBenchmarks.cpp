// Reading (with its sort) and writing whole dictionaries of 32,767 and
// 1,000,000 words, generated here.
#include <benchmark/benchmark.h>

#include <random>
#include <sstream>
#include <string>

#include "format/DictionaryReader.h"
#include "format/DictionaryWriter.h"
#include "words/WordList.h"

namespace {

std::string MakeDictionary(std::size_t count)
{
    std::mt19937_64 rng(count);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::uniform_int_distribution<int> length(3, 14);
    std::string text = "Lexor Dictionary Volume\r\n" + std::to_string(count) + "\r\n";
    for (std::size_t i = 0; i < count; ++i) {
        for (int k = length(rng); k > 0; --k)
            text += static_cast<char>(letter(rng));
        text += "\r\n";
    }
    return text;
}

void BM_ReadAndSort(benchmark::State& state)
{
    const std::string text = MakeDictionary(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::istringstream in(text);
        lexor::WordList words;
        lexor::ReadDictionary(in, words);
        benchmark::DoNotOptimize(words.ListCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_Write(benchmark::State& state)
{
    const std::string text = MakeDictionary(static_cast<std::size_t>(state.range(0)));
    std::istringstream in(text);
    lexor::WordList words;
    lexor::ReadDictionary(in, words);
    for (auto _ : state) {
        std::ostringstream out;
        lexor::WriteDictionary(out, words);
        benchmark::DoNotOptimize(out.tellp());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

} // namespace

BENCHMARK(BM_ReadAndSort)->Arg(32767)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write)->Arg(32767)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

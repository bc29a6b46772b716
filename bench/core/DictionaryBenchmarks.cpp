// Loading (with its sort) and saving whole dictionaries of 32,767 and
// 1,000,000 words, generated here, from and to a scratch folder; the save is
// flushed to disk, as every save is. The same words are loaded in the game's
// form and as an editor saves them (UTF-8, LF), which must cost about the
// same.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "format/DictionaryReader.h"
#include "format/DictionaryWriter.h"
#include "words/WordList.h"

namespace {

namespace fs = std::filesystem;

enum class Form { Games, Editors };

// Every eighth word ends in an accented letter, as Italian words do.
std::string MakeDictionary(std::size_t count, Form form)
{
    const std::string lineEnd = form == Form::Games ? "\r\n" : "\n";
    const std::string accent = form == Form::Games ? "\xE0" : "\xC3\xA0";
    std::mt19937_64 rng(count);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::uniform_int_distribution<int> length(3, 14);
    std::string text = "Lexor Dictionary Volume" + lineEnd + std::to_string(count) + lineEnd;
    for (std::size_t i = 0; i < count; ++i) {
        for (int k = length(rng); k > 0; --k)
            text += static_cast<char>(letter(rng));
        text += (i % 8 == 0 ? accent : std::string()) + lineEnd;
    }
    return text;
}

// A dictionary of count words in the scratch folder, and its size.
fs::path MakeFile(std::size_t count, std::size_t& size, Form form = Form::Games)
{
    const fs::path file = fs::temp_directory_path() / ("lexor-bench-" + std::to_string(count) + ".lexor");
    const std::string text = MakeDictionary(count, form);
    std::ofstream(file, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
    size = text.size();
    return file;
}

void BM_LoadAndSort(benchmark::State& state, Form form)
{
    std::size_t size = 0;
    const fs::path file = MakeFile(static_cast<std::size_t>(state.range(0)), size, form);
    for (auto _ : state) {
        lexor::WordList words;
        lexor::ReadDictionary(file, words);
        benchmark::DoNotOptimize(words.ListCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    fs::remove(file);
}

void BM_Save(benchmark::State& state)
{
    std::size_t size = 0;
    const fs::path file = MakeFile(static_cast<std::size_t>(state.range(0)), size);
    lexor::WordList words;
    lexor::ReadDictionary(file, words);
    for (auto _ : state)
        benchmark::DoNotOptimize(lexor::SaveDictionary(file, words).ok);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    fs::remove(file);
}

} // namespace

BENCHMARK_CAPTURE(BM_LoadAndSort, GamesForm, Form::Games)->Arg(32767)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadAndSort, Utf8Lf, Form::Editors)->Arg(32767)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(32767)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

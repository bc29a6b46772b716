#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lexor::bench {

// total words from CorpusWords of which percent are repeats of others,
// shuffled; deterministic.
std::vector<std::string> MakeOptimiseWords(std::size_t total, std::size_t percent);

// lexor-bench optimise IN OUT: reads IN, removes its repeats, writes OUT;
// prints the copies removed, each phase's time and the peak memory.
int RunOptimise(int argc, char** argv);

// lexor-bench optimise-data OUT [WORDS [REPEAT_PERCENT [WORDS_ONLY_OUT]]]:
// writes a shuffled dictionary of WORDS words (default 1,000,000) of which
// REPEAT_PERCENT (default 10) are repeats of other words; WORDS_ONLY_OUT, when
// given, gets the same words without header and count, for sort -u.
int RunOptimiseData(int argc, char** argv);

} // namespace lexor::bench

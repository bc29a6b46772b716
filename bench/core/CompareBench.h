#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lexor::bench {

struct ComparePair {
    std::vector<std::string> original;
    std::vector<std::string> modified;
};

// An original of `words` distinct words from CorpusWords and a modified copy
// of the same size in which `percent` of them are replaced by new words: that
// many missing, as many added. Both shuffled; deterministic.
ComparePair MakeComparePair(std::size_t words, std::size_t percent);

// lexor-bench compare ORIG MOD OUTDIR: loads both dictionaries, compares
// them and saves Aggiunte.ldv and Mancanti.ldv into OUTDIR as the save
// buttons would; prints each phase's time and the peak memory.
int RunCompare(int argc, char** argv);

// lexor-bench compare-data ORIG MOD [WORDS [PERCENT [sorted]]]: writes a pair
// from MakeComparePair (default 1,000,000 words, 1%), shuffled unless
// "sorted" is given.
int RunCompareData(int argc, char** argv);

} // namespace lexor::bench

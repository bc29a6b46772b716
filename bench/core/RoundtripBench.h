#pragma once

namespace lexor::bench {

// lexor-bench roundtrip IN OUT: loads IN with the real reader into a sorted
// list and writes it to OUT with the real writer; prints each phase's time
// and the peak memory, of the load alone and of the whole run.
int RunRoundtrip(int argc, char** argv);

// lexor-bench roundtrip-data OUT [WORDS [WORDS_ONLY_OUT]]: writes WORDS
// (default 1,000,000) distinct words from CorpusWords as a dictionary;
// WORDS_ONLY_OUT, when given, gets the same words without header and count.
int RunRoundtripData(int argc, char** argv);

} // namespace lexor::bench

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lexor::bench {

// count distinct words, shuffled, in Windows-1252, the same for the same
// count and seed on any machine with the same word lists. The words are those
// of the system's English and Italian word lists (/usr/share/dict, Debian's
// wamerican-huge, wbritish-huge and witalian), each as it stands, with a
// capital, in capitals, then with endings, as many variants as count needs.
// Words that Windows-1252 cannot hold are left out. Without any of those
// lists, the words come from MakeWord instead, and a line on stderr says so.
std::vector<std::string> CorpusWords(std::size_t count, std::uint64_t seed);

// Fisher-Yates with the generator's raw output, so the order does not depend
// on the standard library's distributions.
void Shuffle(std::vector<std::string>& words, std::uint64_t seed);

} // namespace lexor::bench

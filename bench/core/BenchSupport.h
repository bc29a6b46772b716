#pragma once

#include <chrono>
#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace lexor::bench {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from, Clock::time_point to);

// Prints "<what> N MiB" from the system's high-water mark of resident
// memory (Linux), or "<what> n/a" where there is none.
void PrintPeakMemory(const char* what = "peak memory");

// Distinct by construction: a random stem, now and then with an accented
// letter (Windows-1252) so the collation has work to do, and with capitals
// a first capital letter now and then, then the index as indexLetters
// base-26 letters.
std::string MakeWord(std::size_t index, int indexLetters, std::mt19937_64& rng, bool capitals);

// How many base-26 letters tell count indices apart.
int IndexLetters(std::size_t count);

// Writes words as a dictionary file, in the given order.
void WriteDictionaryFile(const std::string& path, const std::vector<std::string>& words);

} // namespace lexor::bench

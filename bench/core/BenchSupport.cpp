#include "BenchSupport.h"

#include <cstdio>
#include <fstream>

#include "format/DictionaryFormat.h"

namespace lexor::bench {

double Ms(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

void PrintPeakMemory(const char* what)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            std::printf("%s %.1f MiB\n", what, static_cast<double>(std::stol(line.substr(6))) / 1024.0);
            return;
        }
    }
    std::printf("%s n/a\n", what);
}

std::string MakeWord(std::size_t index, int indexLetters, std::mt19937_64& rng, bool capitals)
{
    static constexpr char kAccented[] = {'\xE0', '\xE8', '\xE9', '\xEC', '\xF2', '\xF9'};
    std::uniform_int_distribution<int> letter('a', 'z');
    std::uniform_int_distribution<int> stemLength(2, 7);
    std::uniform_int_distribution<int> oneIn20(0, 19);
    std::string word;
    for (int k = stemLength(rng); k > 0; --k)
        word += oneIn20(rng) == 0 ? kAccented[static_cast<std::size_t>(letter(rng) - 'a') % 6]
                                  : static_cast<char>(letter(rng));
    if (capitals && oneIn20(rng) == 0)
        word[0] = static_cast<char>(word[0] >= 'a' && word[0] <= 'z' ? word[0] - 'a' + 'A' : word[0]);
    for (int k = 0; k < indexLetters; ++k) {
        word += static_cast<char>('a' + index % 26);
        index /= 26;
    }
    return word;
}

int IndexLetters(std::size_t count)
{
    int letters = 1;
    for (std::size_t room = 26; room < count; room *= 26)
        ++letters;
    return letters;
}

void WriteDictionaryFile(const std::string& path, const std::vector<std::string>& words)
{
    std::ofstream out(path, std::ios::binary);
    out << kDictionaryHeader << "\r\n" << words.size() << "\r\n";
    for (const auto& w : words)
        out << w << "\r\n";
}

} // namespace lexor::bench

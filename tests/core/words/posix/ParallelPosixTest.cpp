// Work that would fan out where the system lets no thread be started.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "words/Parallel.h"
#include "words/WordList.h"

namespace lexor {
namespace {

// As another user, held to its one process, so no thread can be started:
// every task still runs, and a list large enough to be sorted on several
// threads is sorted. Exits 0 when so.
[[noreturn]] void WorkWithoutThreads()
{
    const rlimit one{1, 1};
    if (::setgid(65534) != 0 || ::setuid(65534) != 0 || ::setrlimit(RLIMIT_NPROC, &one) != 0)
        std::_Exit(2);
    std::vector<int> ran(4, 0);
    SideBySide(4, [&ran](unsigned task) { ran[task] = 1; });
    std::vector<std::string> words;
    for (int i = 200000; i > 0; --i)
        words.push_back("parola" + std::to_string(i));
    const std::vector<std::string_view> views(words.begin(), words.end());
    WordList list;
    list.AddItems(views);
    bool sorted = list.ListCount() == words.size();
    for (std::size_t i = 1; sorted && i < list.ListCount(); ++i)
        sorted = list.List(i - 1) <= list.List(i);
    std::_Exit(std::count(ran.begin(), ran.end(), 1) == 4 && sorted ? 0 : 1);
}

TEST(Parallel, WorkGoesOnWhereNoThreadCanBeHad)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run as a user held to one process";
    EXPECT_EXIT(WorkWithoutThreads(), testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace lexor

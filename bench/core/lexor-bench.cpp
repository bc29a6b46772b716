#include <cstdio>
#include <cstring>

#include "CompareBench.h"
#include "OptimiseBench.h"
#include "RoundtripBench.h"

namespace {

struct Command {
    const char* name;
    int (*run)(int argc, char** argv);
};

// One line per subcommand.
constexpr Command kCommands[] = {
    {"compare", lexor::bench::RunCompare},     {"compare-data", lexor::bench::RunCompareData},
    {"optimise", lexor::bench::RunOptimise},   {"optimise-data", lexor::bench::RunOptimiseData},
    {"roundtrip", lexor::bench::RunRoundtrip}, {"roundtrip-data", lexor::bench::RunRoundtripData},
};

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2) {
        for (const auto& command : kCommands) {
            if (std::strcmp(argv[1], command.name) == 0)
                return command.run(argc - 2, argv + 2);
        }
    }
    std::fprintf(stderr, "usage: lexor-bench COMMAND ARGS...\ncommands:");
    for (const auto& command : kCommands)
        std::fprintf(stderr, " %s", command.name);
    std::fprintf(stderr, "\n");
    return 2;
}

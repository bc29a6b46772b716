#include "GuiBench.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <system_error>

namespace lexor::bench {

int RunGuiBenchmarks(int argc, char** argv, const std::filesystem::path& scratch)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
    return 0;
}

} // namespace lexor::bench

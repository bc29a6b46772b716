#pragma once

#include <filesystem>

namespace lexor::bench {

// Runs the registered Google Benchmark cases offscreen (unless a platform is
// chosen), then removes the scratch folder they wrote their files into.
int RunGuiBenchmarks(int argc, char** argv, const std::filesystem::path& scratch);

} // namespace lexor::bench

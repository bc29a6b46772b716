#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lexor::test {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

// The names in a folder, as UTF-8, in order.
std::vector<std::string> Names(const std::filesystem::path& folder);

} // namespace lexor::test

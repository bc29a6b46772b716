#include "dictionary/FileReplace.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace lexor {

WriteResult ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes)
{
    auto temp = target;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return {false, std::strerror(errno)};
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return {false, ec.message()};
    }
    return {true, {}};
}

WriteResult ReplaceFileWithCopy(const std::filesystem::path& source, const std::filesystem::path& target)
{
    std::ifstream in(source, std::ios::binary);
    if (!in)
        return {false, std::strerror(errno)};
    std::ostringstream all;
    all << in.rdbuf();
    return ReplaceFileContents(target, all.view());
}

} // namespace lexor

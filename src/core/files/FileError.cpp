#include "files/FileError.h"

#include <string>

namespace lexor {
namespace {

// The messages are for logs and debugging only; users see the interface's own
// wording.
class Category : public std::error_category {
public:
    const char* name() const noexcept override { return "lexor-file"; }
    std::string message(int code) const override
    {
        switch (static_cast<FileErrc>(code)) {
        case FileErrc::NotAFile:
            return "not a regular file";
        case FileErrc::WriteProtected:
            return "file is write-protected";
        case FileErrc::HeldOpen:
            return "file is held open by another program";
        case FileErrc::LineTooLong:
            return "line too long";
        case FileErrc::NotKept:
            return "replaced file cannot be kept in the trash";
        case FileErrc::FolderWriteProtected:
            return "folder is write-protected";
        case FileErrc::SourceChanged:
            return "source changed while it was copied";
        }
        return "unknown file error";
    }
};

} // namespace

const std::error_category& FileCategory() noexcept
{
    static const Category category;
    return category;
}

std::error_code make_error_code(FileErrc code) noexcept
{
    return {static_cast<int>(code), FileCategory()};
}

} // namespace lexor

#include "kit/Conversions.h"

#include <optional>
#include <string>
#include <system_error>
#include <type_traits>

#include <QDir>
#include <QFile>

#include "files/FolderOf.h"

namespace lexor::ui {
namespace {

namespace fs = std::filesystem;

// Byte names are decoded and encoded as the toolkit does for file names;
// wide names (Windows) are UTF-16 already. The native type decides, so no
// platform switch is needed.
template <class Native> QString Decode(const Native& native)
{
    if constexpr (std::is_same_v<Native, std::wstring>)
        return QString::fromStdWString(native);
    else
        return QFile::decodeName(QByteArray::fromStdString(native));
}

template <class Native> Native Encode(const QString& text)
{
    if constexpr (std::is_same_v<Native, std::wstring>)
        return text.toStdWString();
    else
        return QFile::encodeName(text).toStdString();
}

// The entry of path's folder that shows as path's name does, if exactly one
// does.
std::optional<fs::path> StoredName(const fs::path& path)
{
    const QString shown = Decode(path.filename().native());
    std::optional<fs::path> found;
    std::error_code error;
    const fs::directory_iterator end;
    for (auto it = fs::directory_iterator(FolderOf(path), error); !error && it != end; it.increment(error)) {
        fs::path name = it->path().filename();
        if (Decode(name.native()) != shown)
            continue;
        if (found)
            return std::nullopt;
        found = std::move(name);
    }
    return found;
}

} // namespace

QString FromCoreText(std::string_view text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

QString FromUtf16(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString FromPath(const fs::path& path)
{
    return QDir::toNativeSeparators(Decode(path.native()));
}

fs::path ToPath(const QString& path)
{
    fs::path shown(Encode<fs::path::string_type>(path));
    std::error_code error;
    if (!path.contains(QChar::ReplacementCharacter) || fs::exists(shown, error))
        return shown;
    fs::path stored = shown.root_path();
    for (const fs::path& part : shown.relative_path()) {
        std::optional<fs::path> name;
        if (Decode(part.native()).contains(QChar::ReplacementCharacter) && !fs::exists(stored / part, error))
            name = StoredName(stored / part);
        stored /= name ? *name : part;
    }
    return stored;
}

} // namespace lexor::ui

#include "ui/Conversions.h"

#include <optional>
#include <string>
#include <system_error>

#include <QDir>
#include <QFile>

namespace lexor::ui {
namespace {

namespace fs = std::filesystem;

// Picked by the platform's native path type, so no platform switch is needed:
// byte names are decoded as the toolkit decodes file names, wide names are
// UTF-16 already.
QString Decode(const std::string& bytes)
{
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

QString Decode(const std::wstring& wide)
{
    return QString::fromStdWString(wide);
}

std::string Encode(const QString& text, const std::string*)
{
    return QFile::encodeName(text).toStdString();
}

std::wstring Encode(const QString& text, const std::wstring*)
{
    return text.toStdWString();
}

// The entry of folder that shows as shown, if exactly one does.
std::optional<fs::path> StoredName(const fs::path& folder, const QString& shown)
{
    std::optional<fs::path> found;
    std::error_code error;
    const fs::directory_iterator end;
    for (auto it = fs::directory_iterator(folder.empty() ? fs::path(".") : folder, error); !error && it != end;
         it.increment(error)) {
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

QString FromPath(const fs::path& path)
{
    return QDir::toNativeSeparators(Decode(path.native()));
}

fs::path ToPath(const QString& path)
{
    fs::path shown(Encode(path, static_cast<const fs::path::string_type*>(nullptr)));
    std::error_code error;
    if (!path.contains(QChar::ReplacementCharacter) || fs::exists(shown, error))
        return shown;
    fs::path stored = shown.root_path();
    for (const fs::path& part : shown.relative_path()) {
        const QString partShown = Decode(part.native());
        std::optional<fs::path> name;
        if (partShown.contains(QChar::ReplacementCharacter) && !fs::exists(stored / part, error))
            name = StoredName(stored, partShown);
        stored /= name ? *name : part;
    }
    return stored;
}

} // namespace lexor::ui

#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include <QString>

namespace lexor::ui {

// Text the core hands over (the fixed file and folder names) for display: it
// is in the system's own 8-bit encoding, of which the names' ASCII is a part
// everywhere.
QString FromCoreText(std::string_view text);

// Text the core decoded as an editor shows it: a file's first line, the
// words the game's code page cannot hold.
QString FromUtf16(std::u16string_view text);

// A path as the toolkit shows it, with the platform's separators. Where the
// file system names files in bytes, bytes that are no valid text show as
// U+FFFD.
QString FromPath(const std::filesystem::path& path);

// The file a shown path names. Where the file system names files in bytes, a
// name that was shown with U+FFFD in place of undecodable bytes is matched
// back to the one entry of its folder that shows the same, so such files can
// be chosen and opened; an entry that cannot be told apart keeps the shown
// name (and so is not found).
std::filesystem::path ToPath(const QString& path);

} // namespace lexor::ui

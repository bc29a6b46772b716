#pragma once

#include <cstddef>
#include <string_view>
#include <system_error>

#include <QString>

namespace lexor::ui {

// Everything the user is told about files, in the user's words: the one
// place where failures, refusals and doubts about a file are worded in
// Italian. Paths come as they are shown.

// Why a file could not be read, written or copied: short text for what the
// core or the system reports; a failure without words of its own is named
// by its code.
QString Reason(const std::error_code& error);

QString ReadFailure(const QString& path, const std::error_code& error);
QString SaveFailure(const QString& path, const std::error_code& error);
// The active dictionary at activePath could not be replaced; a file held by
// the running game gets advice of its own.
QString InstallFailure(const QString& activePath, const std::error_code& error);

// A loaded file whose first line is not the header.
QString NotADictionary(const QString& path);
// A count line that promises more words than the file holds, or fewer.
QString FewerWordsThanDeclared(std::string_view declared, std::size_t read);
QString MoreWordsThanDeclared(std::string_view declared, std::size_t read);
QString NoWords();

// The chosen file was not installed as the game's dictionary, and why.
enum class Refusal { NotADictionary, EmptyFile, AlreadyActive };
QString NotActivated(const QString& chosen, Refusal why);
QString NotActivated(const QString& chosen, const std::error_code& error);

// The program's folder, where its fixed files live, could not be found.
QString NoAppFolder();

} // namespace lexor::ui

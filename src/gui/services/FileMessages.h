#pragma once

#include <system_error>

#include <filesystem>

#include <QDateTime>
#include <QString>

#include "format/DictionaryReader.h"

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

// A file the reader refused for what it is (ReadResult::Status EmptyFile,
// NotText, BadHeader, Unmappable): what the file really is, with its path.
QString NotLoaded(const QString& path, const ReadResult& read);

// What one load found that the user should know, in one text: the form the
// file was written in, where it is not the game's, and a count that
// disagrees with the words. savedOver: the window saves over the file, in
// the game's form. Empty when there is nothing to tell.
QString FormFound(const QString& path, const ReadResult& read, bool savedOver);

// For the question before a save over a file in another form than the
// game's: that it will change. Empty when the file is in the game's form.
QString FormChange(const FileForm& form);

QString NoWords();

// The chosen file was not installed as the game's dictionary, and why.
QString NotActivated(const QString& chosen, const ReadResult& read);
QString NotActivated(const QString& chosen, const std::error_code& error);
QString AlreadyActive(const QString& chosen);
QString ChangedWhileInstalled(const QString& chosen);
// The chosen file was installed in the game's form, not copied as it was.
QString InstalledInGamesForm(const QString& chosen, const ReadResult& read);

// The name under which a replaced file is kept in the trash, in the target's
// folder: what it was and when, "LEXOR (sostituito il 9-12-2026 11.04).lexor".
std::filesystem::path ReplacedName(const std::filesystem::path& target, const QDateTime& when);
// For the question before a replacement whose folder has no trash.
QString NotRecoverable();
// The old file could not be kept in the trash after all: replace it anyway?
QString ReplaceWithoutKeeping(const QString& target, const std::error_code& cause);
// The trash turned the old file away, and it stays beside the target.
QString KeptBeside(const QString& kept);

// The program's folder, where its fixed files live, could not be found.
QString NoAppFolder();

} // namespace lexor::ui

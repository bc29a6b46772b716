#pragma once

#include <QString>

#include <deque>
#include <filesystem>

#include "ui/Services.h"

namespace lexor::bench {

// The desktop for a window with no one at it: the dialog answers with the
// queued files, message boxes are only counted.
class BenchServices : public ui::Services {
public:
    ui::Answer Message(QWidget*, const QString&, const QString&, ui::Buttons) override;
    QString OpenFile(QWidget*, const QString&, const QString&) override;
    QString AppFolder() const override { return folder; }

    QString folder;
    std::deque<QString> files;
    int messages = 0;
};

QString ToQString(const std::filesystem::path& path);

// Runs the registered Google Benchmark cases offscreen (unless a platform is
// chosen), then removes the scratch folder they wrote their files into.
int RunGuiBenchmarks(int argc, char** argv, const std::filesystem::path& scratch);

} // namespace lexor::bench

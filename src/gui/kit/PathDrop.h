#pragma once

#include <functional>
#include <initializer_list>

#include <QObject>
#include <QString>

class QMimeData;
class QWidget;

namespace lexor::ui {

// Lets the user drop a file from the file manager onto a path row (its
// caption, path box and "..." button) to load it as if chosen in the row's
// dialog. Only one file is taken; folders, several files, text and anything
// else are refused, and the row's controls take no drop of their own.
// The load runs once the drop has finished, so the program that the file
// came from is not held while the loader shows its messages.
class PathDrop : public QObject {
    Q_OBJECT
public:
    PathDrop(QObject* parent, std::function<void(const QString& path)> load);

    // The controls of the row, each of which takes the row's drops.
    void Watch(std::initializer_list<QWidget*> controls);

    // The one file a drop carries, with the platform's separators, or
    // nothing if the drop is anything else.
    static QString DroppedFile(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString& path)> load_;
};

} // namespace lexor::ui

#include "kit/PathDrop.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace lexor::ui {

PathDrop::PathDrop(QObject* parent, std::function<void(const QString& path)> load)
    : QObject(parent), load_(std::move(load))
{
}

void PathDrop::Watch(std::initializer_list<QWidget*> controls)
{
    for (QWidget* control : controls) {
        control->setAcceptDrops(true);
        control->installEventFilter(this);
    }
}

QString PathDrop::DroppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    const QString file = urls.front().toLocalFile();
    if (file.isEmpty() || QFileInfo(file).isDir())
        return {};
    return QDir::toNativeSeparators(file);
}

bool PathDrop::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (DroppedFile(drag->mimeData()).isEmpty())
            drag->ignore();
        else
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString file = DroppedFile(drop->mimeData());
        if (file.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        QMetaObject::invokeMethod(
            this, [this, file] { load_(file); }, Qt::QueuedConnection);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace lexor::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FileNames.h"

#include <QCompleter>
#include <QDropEvent>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace vesk::ui {

namespace {

// The local file a drag carries: the first of its addresses when that is a local file.
QString DraggedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().isEmpty()) return {};
    const QUrl& url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

class FileDropFilter : public QObject {
  public:
    FileDropFilter(QObject* parent, std::function<void(const QString&)> onDrop)
        : QObject(parent), m_onDrop(std::move(onDrop)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::DragEnter:
            case QEvent::DragMove: {
                auto* drag = static_cast<QDragMoveEvent*>(event);
                if (DraggedFile(drag->mimeData()).isEmpty()) return false;
                drag->acceptProposedAction();
                return true;
            }
            case QEvent::Drop: {
                auto* drop = static_cast<QDropEvent*>(event);
                const QString path = DraggedFile(drop->mimeData());
                if (path.isEmpty()) return false;
                drop->acceptProposedAction();
                m_onDrop(path);
                return true;
            }
            default:
                return QObject::eventFilter(watched, event);
        }
    }

  private:
    std::function<void(const QString&)> m_onDrop;
};

}  // namespace

void AcceptFileDrops(QWidget& window, std::function<void(const QString& path)> onDrop) {
    auto* filter = new FileDropFilter(&window, std::move(onDrop));
    window.setAcceptDrops(true);
    window.installEventFilter(filter);
    // Boxes that take dropped text would otherwise insert the file's address.
    for (QWidget* child : window.findChildren<QWidget*>())
        if (child->acceptDrops()) child->installEventFilter(filter);
}

void CompleteFileNames(QLineEdit& box) {
    auto* completer = new QCompleter(&box);
    auto* names = new QFileSystemModel(completer);
    names->setRootPath(QString());
    names->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden);
    completer->setModel(names);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    box.setCompleter(completer);
}

}  // namespace vesk::ui

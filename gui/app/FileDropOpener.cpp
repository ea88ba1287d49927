// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/FileDropOpener.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace vorn {

TFileDropOpener::TFileDropOpener(QWidget& window,
                                 std::function<void(const QStringList& paths)> open)
    : QObject(&window), window_(window), open_(std::move(open)) {
    window.setAcceptDrops(true);
    // The drag goes to the widget under the pointer first; a line edit would take the paths
    // as text. Watching the application sees the drag before any of them.
    qApp->installEventFilter(this);
}

QStringList TFileDropOpener::VornFiles(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo file(url.toLocalFile());
        if (file.suffix().compare(QStringLiteral("vrd"), Qt::CaseInsensitive) == 0 && file.isFile())
            paths.append(file.absoluteFilePath());
    }
    return paths;
}

bool TFileDropOpener::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || (target != &window_ && !window_.isAncestorOf(target)))
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList paths = VornFiles(drop->mimeData());
    if (paths.isEmpty())
        return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop && open_)
        open_(paths);
    return true;
}

} // namespace vorn

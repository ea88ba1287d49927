// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Vorn files dropped anywhere on the window are opened, as File › Open does, even where a
// text field would otherwise take the drop as text. Drops of other files are left alone.

#include <QObject>
#include <QStringList>

#include <functional>

class QMimeData;
class QWidget;

namespace vorn {

class TFileDropOpener : public QObject {
    Q_OBJECT
public:
    // Watches the drags over window and its children; open gets the dropped files' paths.
    TFileDropOpener(QWidget& window, std::function<void(const QStringList& paths)> open);

    // The local Vorn files (".vrd", any case) a drag carries, in its order.
    static QStringList VornFiles(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    std::function<void(const QStringList& paths)> open_;
};

} // namespace vorn

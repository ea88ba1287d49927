// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/RecentFilesMenu.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace vorn {

TRecentFilesMenu::TRecentFilesMenu(QWidget* parent)
    : QMenu(QStringLiteral("Open &Recent"), parent) {
    setObjectName(QStringLiteral("MenuOpenRecent"));
    connect(this, &QMenu::aboutToShow, this, &TRecentFilesMenu::Refresh);
}

void TRecentFilesMenu::Refresh() {
    clear();
    const QStringList files = Files ? Files() : QStringList();
    QStringList present;
    int number = 0;
    for (const QString& path : files) {
        ++number;
        const bool there = QFileInfo(path).isFile();
        // Numbered for the keyboard, the whole path shown: two files may share a name.
        const QString text =
            (number < 10 ? QStringLiteral("&%1 %2") : QStringLiteral("%1 %2"))
                .arg(number)
                .arg(QDir::toNativeSeparators(path).replace(u'&', QStringLiteral("&&")));
        QAction* item = addAction(text);
        item->setData(path);
        item->setEnabled(there);
        if (there) {
            present.append(path);
            connect(item, &QAction::triggered, this, [this, path] { emit openRequested(path); });
        } else {
            item->setToolTip(QStringLiteral("The file is no longer there"));
        }
    }
    if (files.isEmpty()) {
        addAction(QStringLiteral("No recent files"))->setEnabled(false);
        return;
    }
    addSeparator();
    QAction* missing = addAction(QStringLiteral("Clear &Missing Files"));
    missing->setObjectName(QStringLiteral("ActClearMissing"));
    missing->setEnabled(present.size() < files.size());
    connect(missing, &QAction::triggered, this, [this, present] { emit listCleared(present); });
    QAction* all = addAction(QStringLiteral("&Clear List"));
    all->setObjectName(QStringLiteral("ActClearRecent"));
    connect(all, &QAction::triggered, this, [this] { emit listCleared({}); });
}

} // namespace vorn

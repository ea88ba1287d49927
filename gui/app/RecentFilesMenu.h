// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "Open Recent": the files last opened or saved, newest first. A file that is no longer there
// is listed but cannot be chosen; "Clear Missing Files" and "Clear List" tidy the list.

#include <QMenu>
#include <QStringList>

#include <functional>

namespace vorn {

class TRecentFilesMenu : public QMenu {
    Q_OBJECT
public:
    explicit TRecentFilesMenu(QWidget* parent = nullptr);

    // Where the list comes from; asked each time the menu opens, so a file deleted meanwhile
    // shows as missing.
    std::function<QStringList()> Files;
    // Rebuilds the items from Files now.
    void Refresh();

signals:
    void openRequested(const QString& path);
    // The list as the user left it after clearing some of it.
    void listCleared(const QStringList& kept);
};

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What lasts between runs: the settings file (options, window bounds, the documents to
// reopen) and vorn.ini beside it (preferences, the recent files). Read once at start, written
// at exit; vorn.ini also soon after the recent files change, so that a crash keeps them.

#include <QMessageBox>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

#include "files/SettingsFile.h"

class QWidget;

namespace vorn {

class TFileFrame;
class TGlobalData;

class TSessionKeeper {
public:
    // A file opened costs the user no wait for the disk; files opened together, one write.
    static constexpr int PreferencesDelay = 1000; // ms

    // No file is read or written with an empty settingsPath.
    TSessionKeeper(const QString& settingsPath, TGlobalData& settings, QWidget& window);
    // Writes vorn.ini if a change of the recent files is still waiting.
    ~TSessionKeeper();
    TSessionKeeper(const TSessionKeeper&) = delete;
    TSessionKeeper& operator=(const TSessionKeeper&) = delete;

    const QString& SettingsPath() const { return settingsPath_; }
    // The preferences file beside the settings file ("vorn.ini").
    QString PreferencesPath() const;

    // Reads both files into the settings, tells of what could not be read or will not be
    // writable, and puts the window where it was. The documents to reopen come back.
    SettingsLoad Load();
    // The window's bounds and the documents by StartupChoice into the settings file; false
    // after a write failure, which has been reported.
    bool Write(const std::vector<TFileFrame*>& open, int active, bool sidebarWide);

    // The files last opened or saved, newest first (at most MaxRecentFiles).
    const QStringList& RecentFiles() const { return recent_; }
    // path goes first in the list; vorn.ini follows within PreferencesDelay.
    void RememberFile(const QString& path);
    // The list as the user left it after clearing some of it; written as above.
    void SetRecentFiles(const QStringList& paths);

    // Restored window bounds brought onto the screen they belong to, title bar and all.
    QRect PlacedBounds(const QRect& bounds) const;
    // A window size no larger than the primary screen's free area, title bar included.
    QSize FittedSize(const QSize& wanted) const;

    // Where the messages go: the window's message boxes.
    std::function<void(QMessageBox::Icon icon, const QString& caption, const QString& text,
                       bool wait)>
        Message;

private:
    void applyBounds();
    void writePreferences();
    void writePreferencesSoon();

    QString settingsPath_;
    TGlobalData& settings_;
    QWidget& window_;
    std::string writeError_; // why the settings could not be written, as told at start
    QStringList recent_;
    bool writePending_ = false;
};

} // namespace vorn

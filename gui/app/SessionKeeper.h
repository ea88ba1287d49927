// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What lasts between runs: the settings file (options, window bounds, the documents to
// reopen) and vorn.ini beside it (preferences, the recent files). Read once at start, and
// written soon after each change as well as at exit, so that a crash keeps what the user did.

#include <QMessageBox>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "files/PreferencesFile.h"
#include "files/SettingsFile.h"

class QWidget;

namespace vorn {

class TFileFrame;
class TGlobalData;

class TSessionKeeper {
public:
    // A file opened costs the user no wait for the disk; files opened together, one write.
    static constexpr int PreferencesDelay = 1000; // ms
    // The same for the session: the edits of a second are one write.
    static constexpr int SessionDelay = 1000; // ms
    // The settings file's lock: how long a write waits for another copy's, and the age at
    // which a lock whose holder did not remove it counts as left behind.
    static constexpr int LockWait = 3000;   // ms
    static constexpr int StaleLock = 10000; // ms

    // What the window holds, for the writes while it runs.
    struct OpenSession {
        std::vector<TFileFrame*> Open; // in tab order
        int Active = -1;
        bool SidebarWide = false;
    };

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
    // writable, and puts the window where it was. The documents to reopen come back: those
    // of copies of the program that ended, never those of one still running.
    SettingsLoad Load();
    // The window's bounds and the documents by StartupChoice into the settings file, beside
    // the documents other copies keep there; false after a write failure. A failure that
    // loses documents kept for reopening is left to the caller (LostDocuments), any other
    // has been reported. The exit's write: after success nothing is written after it.
    bool Write(const std::vector<TFileFrame*>& open, int active, bool sidebarWide);
    // After a failed Write: the message for the documents it would have kept; empty when it
    // kept none.
    const QString& LostDocuments() const { return lost_; }

    // What the window holds now; nothing while that is not settled (the start still asking).
    std::function<std::optional<OpenSession>()> Current;
    // The session as Current gives it into the settings file within SessionDelay, and the
    // preferences into vorn.ini; each only when its content differs from what was last
    // written. A failure is told by the exit's write.
    void WriteSoon();
    // The same at once (a document was saved: its kept copy must follow).
    void WriteNow();
    // Looks at the view choices the settings keep (units, fret chart and profile toggles,
    // side bar, start-up choice); a change since the last look is written soon. Cheap enough
    // for every idle moment.
    void NoticeViewChoices();

    // The files last opened or saved, newest first (at most MaxRecentFiles); after each write
    // of vorn.ini, those other copies of the program used too.
    QStringList RecentFiles() const;
    // path goes first in the list; vorn.ini follows within PreferencesDelay.
    void RememberFile(const QString& path);
    // The list as the user left it after clearing some of it; written as above. What it
    // dropped stays out of the file, whatever another copy kept of it.
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
    Preferences ownPreferences() const;
    void writePreferences();
    void writePreferencesSoon();
    void writeSession();
    bool writeMerged(const std::vector<TFileFrame*>& kept, std::string* error);
    void storeBounds(bool sidebarWide);
    std::array<int, 7> viewChoices() const;

    QString settingsPath_;
    TGlobalData& settings_;
    QWidget& window_;
    std::string writeError_; // why the settings could not be written, as told at start
    QString lost_;
    ProcessIdentity self_ = ThisProcess();
    std::string ownWritten_; // this copy's part of the settings file as last written
    std::vector<RecentFile> recent_;
    std::vector<RecentFile> removed_; // dropped from the list by this copy, and when
    bool writePending_ = false;
    bool sessionPending_ = false;
    bool finished_ = false; // the exit wrote the session
    // This copy's preferences as it last read or wrote vorn.ini, with the recent files as
    // written there: what differs from them is this copy's change, the rest another's.
    Preferences preferencesBase_;
    std::array<int, 7> viewSeen_{};
};

} // namespace vorn

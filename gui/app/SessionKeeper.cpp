// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/SessionKeeper.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLockFile>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdint>

#include "app/PreferencesIni.h"
#include "document/GlobalData.h"
#include "files/DocumentFile.h"
#include "files/FileFrame.h"
#include "files/RecentFiles.h"
#include "io/AtomicFile.h"
#include "widgets/StdText.h"

namespace vorn {

namespace {

// File names go to the core as the bytes the file system knows them by.
std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Bounds worth restoring: a positive size and a title bar that can be reached on a screen.
bool boundsAreSane(const QRect& bounds) {
    if (bounds.width() <= 0 || bounds.height() <= 0)
        return false;
    const QRect titleBar(bounds.left(), bounds.top(), bounds.width(), 30);
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->availableGeometry().intersected(titleBar);
        if (common.width() >= 60 && common.height() >= 10)
            return true;
    }
    return false;
}

} // namespace

TSessionKeeper::TSessionKeeper(const QString& settingsPath, TGlobalData& settings, QWidget& window)
    : settingsPath_(settingsPath), settings_(settings), window_(window) {}

QString TSessionKeeper::PreferencesPath() const {
    return QString::fromStdString(PreferencesPathFor(settingsPath_.toStdString()));
}

SettingsLoad TSessionKeeper::Load() {
    SettingsLoad loaded;
    if (!settingsPath_.isEmpty()) {
        // Under the lock, so that two copies starting at once never both take over what
        // an ended one kept.
        QLockFile lock(settingsPath_ + QStringLiteral(".lock"));
        lock.setStaleLockTime(StaleLock);
        lock.tryLock(LockWait);
        const ReopenOwner owner{
            self_, [this](const ProcessIdentity& writer) { return StateOf(writer, self_); }};
        loaded = LoadSettingsFile(localPath(settingsPath_), settings_, &owner);
        const Preferences preferences = ReadPreferencesIni(PreferencesPath());
        ApplyPreferences(preferences, settings_);
        recent_ = RecentOf(preferences);
        preferencesBase_ = PreferencesOf(settings_);
        SetRecent(preferencesBase_, recent_);
    }
    viewSeen_ = viewChoices();
    if (!loaded.Message.empty())
        Message(QMessageBox::Information, qs(MessageCaption), qs(loaded.Message), false);
    // Told now, not at exit, so that the session's changes are not lost unknowingly.
    if (!settingsPath_.isEmpty() && !CanWriteFile(localPath(settingsPath_), &writeError_))
        Message(QMessageBox::Warning, qs(MessageCaption),
                QStringLiteral("Unable to save configuration file\n%1\n\n%2\n\nChanges to the "
                               "options and the open documents will not be kept at exit.")
                    .arg(QDir::toNativeSeparators(settingsPath_), qs(writeError_)),
                false);
    if (loaded.BoundsRead)
        applyBounds();
    return loaded;
}

QSize TSessionKeeper::FittedSize(const QSize& wanted) const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return wanted;
    // The frame and title bar come on top of the window's own size.
    const int titleBar = window_.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window_);
    const QRect area = screen->availableGeometry();
    return wanted.boundedTo(QSize(area.width(), qMax(1, area.height() - titleBar)));
}

QRect TSessionKeeper::PlacedBounds(const QRect& bounds) const {
    const QScreen* screen = QGuiApplication::screenAt(bounds.topLeft() + QPoint(30, 10));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return bounds;
    // Bounds are the window's inside; its title bar sits above them. Bounds saved where no
    // window manager drew one would otherwise bring the window back with its title bar off
    // the screen. A window larger than its screen comes back no larger than the screen.
    const int titleBar = window_.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window_);
    QRect area = screen->availableGeometry();
    area.setTop(qMin(area.top() + titleBar, area.bottom()));
    QRect placed = bounds;
    placed.setWidth(qMin(placed.width(), area.width()));
    placed.setHeight(qMin(placed.height(), area.height()));
    placed.moveLeft(qBound(area.left(), placed.left(), area.right() + 1 - placed.width()));
    placed.moveTop(qBound(area.top(), placed.top(), area.bottom() + 1 - placed.height()));
    return placed;
}

QStringList TSessionKeeper::RecentFiles() const {
    QStringList paths;
    for (const RecentFile& entry : recent_)
        paths << QString::fromStdString(entry.Path);
    return paths;
}

void TSessionKeeper::RememberFile(const QString& path) {
    const std::string used = path.toStdString();
    if (used.empty())
        return;
    const auto same = [&](const RecentFile& entry) { return entry.Path == used; };
    recent_.erase(std::remove_if(recent_.begin(), recent_.end(), same), recent_.end());
    removed_.erase(std::remove_if(removed_.begin(), removed_.end(), same), removed_.end());
    // Never earlier than what the list holds: another copy's clock may run ahead.
    std::int64_t now = QDateTime::currentMSecsSinceEpoch();
    for (const RecentFile& entry : recent_)
        now = std::max(now, entry.Used + 1);
    recent_.insert(recent_.begin(), RecentFile{used, now});
    if (recent_.size() > static_cast<size_t>(MaxRecentFiles))
        recent_.resize(MaxRecentFiles);
    writePreferencesSoon();
}

void TSessionKeeper::SetRecentFiles(const QStringList& paths) {
    const std::vector<std::string> kept = TidyRecentFiles(StdStrings(paths));
    std::vector<RecentFile> now;
    for (const RecentFile& entry : recent_) {
        if (std::find(kept.begin(), kept.end(), entry.Path) != kept.end()) {
            now.push_back(entry);
            continue;
        }
        // Dropped at the latest time the list knew of it, so that only a later use elsewhere
        // brings it back.
        removed_.push_back(
            {entry.Path, std::max<std::int64_t>(entry.Used, QDateTime::currentMSecsSinceEpoch())});
    }
    recent_ = std::move(now);
    writePreferencesSoon();
}

TSessionKeeper::~TSessionKeeper() {
    if (writePending_)
        writePreferences();
}

void TSessionKeeper::writePreferencesSoon() {
    if (writePending_)
        return;
    writePending_ = true;
    // The window is the timer's context: it outlives this keeper, which it owns, and no event
    // runs between the two going.
    QTimer::singleShot(PreferencesDelay, &window_, [this] {
        if (writePending_)
            writePreferences();
    });
}

Preferences TSessionKeeper::ownPreferences() const {
    Preferences own = PreferencesOf(settings_);
    SetRecent(own, recent_);
    return own;
}

void TSessionKeeper::writePreferences() {
    writePending_ = false;
    if (settingsPath_.isEmpty())
        return;
    // Other copies write vorn.ini too: under the settings file's lock (QSettings takes
    // vorn.ini.lock itself while it writes), what they wrote since is read and kept.
    QLockFile lock(settingsPath_ + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLock);
    lock.tryLock(LockWait);
    const QString path = PreferencesPath();
    const Preferences own = ownPreferences();
    // A file gone meanwhile holds what this copy last knew, not the defaults.
    const Preferences onDisk =
        QFileInfo::exists(path) ? ReadPreferencesIni(path) : preferencesBase_;
    const Preferences merged = MergePreferences(own, preferencesBase_, onDisk, removed_);
    // Losing the preferences costs only them: no message.
    if (merged != onDisk || !QFileInfo::exists(path)) {
        if (!WritePreferencesIni(path, merged))
            return;
    }
    recent_ = RecentOf(merged);
    preferencesBase_ = PreferencesOf(settings_);
    SetRecent(preferencesBase_, recent_);
}

std::array<int, 7> TSessionKeeper::viewChoices() const {
    return {settings_.TensionUnit,        settings_.ShowAlternativeFrets,
            settings_.FretGraphicVisible, settings_.ExtraCoursesVisible,
            settings_.SidebarDown,        settings_.TensionProfileVisible,
            settings_.StartupChoice};
}

void TSessionKeeper::NoticeViewChoices() {
    const std::array<int, 7> now = viewChoices();
    if (now == viewSeen_)
        return;
    viewSeen_ = now;
    WriteSoon();
}

void TSessionKeeper::WriteSoon() {
    if (sessionPending_ || finished_ || settingsPath_.isEmpty())
        return;
    sessionPending_ = true;
    // The window is the timer's context, as for the preferences: a window that goes without
    // its exit (a test's) writes nothing more.
    QTimer::singleShot(SessionDelay, &window_, [this] {
        sessionPending_ = false;
        writeSession();
    });
}

void TSessionKeeper::WriteNow() {
    sessionPending_ = false;
    writeSession();
}

void TSessionKeeper::writeSession() {
    if (finished_ || settingsPath_.isEmpty() || !Current)
        return;
    const std::optional<OpenSession> open = Current();
    if (!open) {
        WriteSoon();
        return;
    }
    storeBounds(open->SidebarWide);
    // Serialised each time, written only when it differs: most changes touch a document
    // the settings do not keep, or one view choice.
    const std::vector<TFileFrame*> kept = DocumentsToReopen(settings_, open->Open, open->Active);
    std::string own = SettingsFileBytes(settings_, kept, self_);
    if (own != ownWritten_ && writeMerged(kept, nullptr))
        ownWritten_ = std::move(own);
    if (ownPreferences() != preferencesBase_)
        writePreferences();
}

bool TSessionKeeper::writeMerged(const std::vector<TFileFrame*>& kept, std::string* error) {
    // Other copies of the program write the same file: each keeps the others' documents. A
    // lock that cannot be had in time (a copy hanging while it holds it) does not stop the
    // write; the merge still keeps what was there when it was read.
    QLockFile lock(settingsPath_ + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLock);
    lock.tryLock(LockWait);
    const std::string path = localPath(settingsPath_);
    std::string onDisk;
    if (!ReadWholeFile(path, onDisk))
        onDisk.clear();
    const std::string bytes = SettingsFileBytes(
        settings_, kept, self_, EntriesOfOthers(StoredEntries(onDisk).Entries, self_));
    return bytes == onDisk || WriteFileAtomically(path, bytes, error);
}

void TSessionKeeper::storeBounds(bool sidebarWide) {
    const QRect bounds = window_.isMaximized() || window_.isFullScreen() ? window_.normalGeometry()
                                                                         : window_.geometry();
    settings_.WindowLeft = bounds.left();
    settings_.WindowTop = bounds.top();
    settings_.WindowWidth = bounds.width();
    settings_.WindowHeight = bounds.height();
    settings_.SidebarDown = sidebarWide ? 1 : 0;
}

void TSessionKeeper::applyBounds() {
    const QRect bounds(settings_.WindowLeft, settings_.WindowTop, settings_.WindowWidth,
                       settings_.WindowHeight);
    if (!boundsAreSane(bounds))
        return;
    window_.setGeometry(PlacedBounds(bounds));
}

bool TSessionKeeper::Write(const std::vector<TFileFrame*>& open, int active, bool sidebarWide) {
    finished_ = true;
    storeBounds(sidebarWide);

    // Documents whose string chart was never shown are not kept; their tabs stay open.
    const std::vector<TFileFrame*> kept = DocumentsToReopen(settings_, open, active);

    if (settingsPath_.isEmpty())
        return true;
    writePreferences();
    std::string error;
    lost_.clear();
    if (writeMerged(kept, &error))
        return true;
    // The window stays open and goes on writing while it does.
    finished_ = false;
    if (!kept.empty()) {
        lost_ = QStringLiteral("Unable to save configuration file\n%1\n\n%2\n\nThe documents kept "
                               "for reopening would be lost.")
                    .arg(QDir::toNativeSeparators(settingsPath_), qs(error));
        return false;
    }
    if (!writeError_.empty() && error == writeError_)
        return false; // the user heard this at start
    Message(QMessageBox::Warning, qs(MessageCaption),
            QStringLiteral("Unable to save configuration file\n%1\n\n%2")
                .arg(QDir::toNativeSeparators(settingsPath_), qs(error)),
            true);
    return false;
}

} // namespace vorn

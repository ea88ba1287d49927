// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/ProgramRun.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>

#include <clocale>
#include <string>
#include <thread>
#ifdef VORN_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

#include "app/MainForm.h"
#include "app/TonePlayer.h"
#include "files/RecoveryStore.h"
#include "files/SettingsFile.h"

namespace vorn {

namespace {

std::string local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString fromLocal(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

struct Locations {
    QString Settings;
    QString Recovery;
};

// A copy run from its own folder keeps its settings and recovery copies beside it; an
// installed one keeps them in the user's configuration and data folders.
Locations locations() {
    const QString program = QApplication::applicationFilePath();
    Locations where;
    where.Settings = fromLocal(SettingsLocation(
        local(program),
        local(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)),
        QFileInfo(QFileInfo(program).absolutePath()).isWritable()));
    where.Recovery = fromLocal(RecoveryLocation(
        local(where.Settings), local(program),
        local(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))));
    return where;
}

} // namespace

int RunProgram(int argc, char* argv[], const std::function<void(TMainForm&)>& started) {
    int result = 0;
    {
#ifdef VORN_FONTCONFIG
        // Reading the system's font configuration is a few milliseconds that the first text
        // would wait for; a second core does it meanwhile. Qt finds it done.
        std::jthread fonts([] { FcInit(); });
#endif
        QApplication app(argc, argv);
#ifdef VORN_FONTCONFIG
        fonts.join();
#endif
        // Qt gave the C library the desktop's locale; numbers bound for files keep their '.'.
        std::setlocale(LC_NUMERIC, "C");
        QApplication::setApplicationName(QStringLiteral("Vorn"));
        QApplication::setApplicationDisplayName(QStringLiteral("Vorn"));
        // Ties the windows to the desktop entry and its icon.
        QGuiApplication::setDesktopFileName(QStringLiteral("app.vorn.Vorn"));

        const Locations where = locations();
        QDir().mkpath(QFileInfo(where.Settings).absolutePath());

        TMainForm window(where.Settings);
        window.show();
        // The copies a crash left are offered first, then the files given on the command line
        // (the file manager's "Open with") open, each in its tab.
        window.Documents().KeepRecovery(where.Recovery);
        const QStringList files = QApplication::arguments().mid(1);
        if (!files.isEmpty())
            QTimer::singleShot(0, &window, [&window, files] { window.OpenFiles(files); });
        if (started)
            started(window);
        result = QApplication::exec();
        // Before the application object goes: the sound server connection must wind down first.
        window.ShutdownSound();
    }
    TTonePlayer::EndProcessAfterSound(result);
    return result;
}

} // namespace vorn

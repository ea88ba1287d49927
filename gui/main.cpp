// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>

#include <clocale>

#include "app/MainForm.h"
#include "app/TonePlayer.h"
#include "files/SettingsFile.h"

int main(int argc, char* argv[]) {
    int result = 0;
    {
        QApplication app(argc, argv);
        // Qt gave the C library the desktop's locale; numbers bound for files keep their '.'.
        std::setlocale(LC_NUMERIC, "C");
        QApplication::setApplicationName(QStringLiteral("Vorn"));
        QApplication::setApplicationDisplayName(QStringLiteral("Vorn"));
        // Ties the windows to the desktop entry and its icon.
        QGuiApplication::setDesktopFileName(QStringLiteral("app.vorn.Vorn"));

        // A copy run from its own folder keeps its settings beside it; an installed one keeps
        // them in the user's configuration folder.
        const QString program = QApplication::applicationFilePath();
        const QString settings = QFile::decodeName(QByteArray::fromStdString(
            vorn::SettingsLocation(QFile::encodeName(program).toStdString(),
                                   QFile::encodeName(QStandardPaths::writableLocation(
                                                         QStandardPaths::GenericConfigLocation))
                                       .toStdString(),
                                   QFileInfo(QFileInfo(program).absolutePath()).isWritable())));
        QDir().mkpath(QFileInfo(settings).absolutePath());

        vorn::TMainForm window(settings);
        window.show();
        // Files given on the command line (the file manager's "Open with"), each in its tab.
        const QStringList files = QApplication::arguments().mid(1);
        if (!files.isEmpty())
            QTimer::singleShot(0, &window, [&window, files] { window.OpenFiles(files); });
        result = QApplication::exec();
        // Before the application object goes: the sound server connection must wind down first.
        window.ShutdownSound();
    }
    vorn::TTonePlayer::EndProcessAfterSound(result);
    return result;
}

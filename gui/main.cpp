#include <QApplication>

#include "app/MainForm.h"
#include "app/TonePlayer.h"
#include "files/SettingsFile.h"

int main(int argc, char* argv[]) {
    int result = 0;
    {
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Vorn"));
        QApplication::setApplicationDisplayName(QStringLiteral("Vorn"));
        // One settings file per installation, beside the program.
        const QString settings = QString::fromStdString(
            vorn::SettingsPathFor(QApplication::applicationFilePath().toStdString()));
        vorn::TMainForm window(settings);
        window.show();
        result = QApplication::exec();
        // Before the application object goes: the sound server connection must wind down first.
        window.ShutdownSound();
    }
    vorn::TTonePlayer::EndProcessAfterSound(result);
    return result;
}

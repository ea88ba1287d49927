#include <QApplication>

#include "app/MainForm.h"
#include "files/SettingsFile.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorn"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vorn"));
    // One settings file per installation, beside the program.
    const QString settings = QString::fromStdString(
        vorn::SettingsPathFor(QApplication::applicationFilePath().toStdString()));
    vorn::TMainForm window(settings);
    window.show();
    const int result = QApplication::exec();
    // Before the application object goes: the sound server connection must wind down first.
    window.ShutdownSound();
    return result;
}

#include <QApplication>

#include "app/MainForm.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorn"));
    vorn::TMainForm window;
    window.show();
    return QApplication::exec();
}

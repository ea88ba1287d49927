// SPDX-License-Identifier: GPL-3.0-or-later

// The yardstick for startup_time: what any Qt Widgets program pays to show a window of the
// same size and title as Vorn's.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vorn"));
    window.resize(1000, 680);
    window.show();
    return QApplication::exec();
}

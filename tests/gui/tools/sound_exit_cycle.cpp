// SPDX-License-Identifier: GPL-3.0-or-later

// One play, stop and exit of the program, ended the way the program ends: run in a loop by the
// tests to show that exiting after a tone is safe.
#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include "app/MainForm.h"
#include "app/TonePlayer.h"
#include "views/OneCrsPanelView.h"
#include "views/StrFrameView.h"
#include "views/VornFrame.h"

int main(int argc, char* argv[]) {
    int result = 0;
    {
        QApplication app(argc, argv);
        QTemporaryDir dir;
        vorn::TMainForm window(dir.filePath(QStringLiteral("vorn.vrn")));
        window.MessageHook = [](QMessageBox::Icon, const QString&, const QString&) {};
        window.show();
        window.ViewStrings();
        QToolButton* play =
            window.ActiveDocument()->StringView()->Row(0)->FirstString()->PlayButton();
        QTimer::singleShot(50, &window, [play] { play->click(); });
        QTimer::singleShot(250, &window, [play] { play->click(); });
        // A tone sounding at the moment of exit is the harder case: start one again.
        QTimer::singleShot(300, &window, [play] { play->click(); });
        QTimer::singleShot(350, &window, [&window] { window.close(); });
        result = QApplication::exec();
        window.ShutdownSound();
    }
    vorn::TTonePlayer::EndProcessAfterSound(result);
    return result;
}

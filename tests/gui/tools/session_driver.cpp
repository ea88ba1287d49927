// SPDX-License-Identifier: GPL-3.0-or-later

// The program as main() runs it, started and quit the way a user does, for the test that runs
// it several times over one settings file. One line per fact on standard output.
//
//   session_driver run [--edit] [FILE]
//     starts the program (with FILE as its command line), answers every question with its
//     default ("ASKED <text>"), optionally edits the first string of the active document,
//     prints "TAB <changed> <path or name>" for each tab once the start has settled and
//     "RECENT <path>" for each recent file, and quits, again answering every question with
//     its default.
//   --press TEXT   answers with the button TEXT wherever a question has one
//   --hold FILE    waits to quit until FILE exists, so that two runs overlap
#include <QtTest>

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/MainMenus.h"
#include "app/ProgramRun.h"
#include "app/RecentFilesMenu.h"
#include "views/VornFrame.h"

using namespace vorn;

namespace {

void say(const QString& line) {
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

// The default answer, as Enter gives it, or the button named `press`.
bool answerDefault(const QString& press) {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box)
        return false;
    say(QStringLiteral("ASKED ") + box->text());
    for (QAbstractButton* button : box->buttons())
        if (!press.isEmpty() && button->text() == press) {
            button->click();
            return true;
        }
    QTest::keyClick(box, Qt::Key_Return);
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    std::vector<char*> args{argv[0]};
    bool edit = false;
    QString press, hold;
    for (int i = 2; i < argc; ++i) {
        if (std::string(argv[i]) == "--edit")
            edit = true;
        else if (std::string(argv[i]) == "--press" && i + 1 < argc)
            press = QString::fromLocal8Bit(argv[++i]);
        else if (std::string(argv[i]) == "--hold" && i + 1 < argc)
            hold = QString::fromLocal8Bit(argv[++i]);
        else
            args.push_back(argv[i]);
    }
    if (argc < 2 || std::string(argv[1]) != "run") {
        std::fputs("usage: session_driver run [--edit] [--press TEXT] [--hold FILE] [FILE]\n",
                   stderr);
        return 64;
    }
    args.push_back(nullptr);
    int count = static_cast<int>(args.size()) - 1;
    return RunProgram(count, args.data(), [edit, press, hold](TMainForm& window) {
        auto* answers = new QTimer(&window);
        QObject::connect(answers, &QTimer::timeout, &window, [press] { answerDefault(press); });
        answers->start(50);
        // The start has settled when its questions are answered and the files are open.
        auto* settle = new QTimer(&window);
        settle->setSingleShot(true);
        auto told = std::make_shared<bool>(false);
        QObject::connect(settle, &QTimer::timeout, &window, [&window, settle, edit, hold, told] {
            if (*told) {
                if (QFileInfo::exists(hold))
                    window.close();
                else
                    settle->start(100);
                return;
            }
            if (QApplication::activeModalWidget() || window.Documents().Settling()) {
                settle->start(200);
                return;
            }
            TVornFrame* active = window.ActiveDocument();
            if (edit && active && active->HasCourseRows())
                active->Model().Chart.Course(0).EditTension(0, 3.9);
            window.IdleUpdate();
            for (int i = 0; i < window.TabCount(); ++i) {
                const TFileFrame& model = window.Document(i)->Model();
                const std::string& own = model.FilePath;
                say(QStringLiteral("TAB %1 %2")
                        .arg(window.Document(i)->Changed() ? 1 : 0)
                        .arg(own.empty() ? window.Document(i)->DisplayName()
                                         : QFile::decodeName(own.c_str())));
            }
            for (const QString& path : window.Menus()->Recent()->Files())
                say(QStringLiteral("RECENT ") + path);
            if (!hold.isEmpty()) {
                say(QStringLiteral("HOLDING"));
                *told = true;
                settle->start(100);
                return;
            }
            window.close();
        });
        settle->start(500);
        // A test that stopped waiting must not leave the program running for good.
        QTimer::singleShot(60000, &window, [] {
            say(QStringLiteral("TIMEOUT"));
            std::_Exit(4);
        });
    });
}

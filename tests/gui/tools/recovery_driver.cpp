// SPDX-License-Identifier: GPL-3.0-or-later

// The program as main() runs it, worked from inside the way a user works it, for the crash
// test that starts it, kills it and starts it again. One line per fact on standard output.
//
//   recovery_driver edit FILE     opens FILE as from the command line, types a new length into
//                                 the first string, prints "SHOWN <hex>" (the document's bytes
//                                 as a save would write them) and runs on until killed
//   recovery_driver recover FILE  clicks Recover in every recovery question ("ASKED <text>"),
//                                 then prints "RECOVERED <changed> <hex>" and "PATH <path>" of
//                                 the tab of FILE, saves it with Ctrl+S and quits
//   recovery_driver probe         runs for a second answering nothing, then quits; prints
//                                 "ASKED <text>" for a question and ends at once with code 3
#include <QtTest>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/ProgramRun.h"
#include "views/OneCrsPanelView.h"
#include "views/OneStringPanelView.h"
#include "views/StrFrameView.h"
#include "views/VornFrame.h"

using namespace vorn;

namespace {

void say(const QString& line) {
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

QString hex(const std::string& bytes) {
    return QString::fromLatin1(QByteArray::fromStdString(bytes).toHex());
}

// The tab of the file, once open.
TVornFrame* frameOf(TMainForm& window, const QString& file) {
    const std::string wanted = QFile::encodeName(QFileInfo(file).absoluteFilePath()).toStdString();
    for (int i = 0; i < window.TabCount(); ++i)
        if (window.Document(i)->Model().FilePath == wanted)
            return window.Document(i);
    return nullptr;
}

QMessageBox* recoveryQuestion() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    return box && box->objectName() == QStringLiteral("RecoverQuestion") ? box : nullptr;
}

// Runs `step` every 50 ms until it returns true; never inside itself, though a step may wait.
void repeat(TMainForm& window, const std::function<bool()>& step) {
    auto* timer = new QTimer(&window);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, &window, [timer, step] {
        if (!step())
            timer->start(50);
    });
    timer->start(50);
}

bool typeLength(TMainForm& window, const QString& file) {
    TVornFrame* frame = frameOf(window, file);
    if (!frame || QApplication::activeModalWidget())
        return false;
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return false;
    window.ViewStrings();
    QLineEdit* cell = frame->StringView()->Row(0)->FirstString()->LengthCell();
    cell->setFocus();
    cell->selectAll();
    QTest::keyClick(cell, Qt::Key_Backspace);
    QTest::keyClicks(cell, QStringLiteral("61.3"));
    QTest::keyClick(cell, Qt::Key_Return);
    if (!frame->Changed()) {
        say(QStringLiteral("UNCHANGED"));
        std::exit(2);
    }
    say(QStringLiteral("SHOWN ") + hex(frame->SaveToData()));
    return true;
}

bool recoverAndSave(TMainForm& window, const QString& file) {
    if (QMessageBox* box = recoveryQuestion()) {
        say(QStringLiteral("ASKED ") + box->text());
        for (QAbstractButton* button : box->buttons())
            if (button->accessibleName() == QStringLiteral("Recover"))
                button->click();
        return false;
    }
    TVornFrame* frame = frameOf(window, file);
    if (!frame || QApplication::activeModalWidget())
        return false;
    const int changed = frame->Changed() ? 1 : 0;
    say(QStringLiteral("RECOVERED %1 %2").arg(changed).arg(hex(frame->SaveToData())));
    say(QStringLiteral("PATH ") + QFile::decodeName(frame->Model().FilePath.c_str()));
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        say(QStringLiteral("INACTIVE"));
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    window.close();
    return true;
}

void probe(TMainForm& window) {
    repeat(window, [] {
        if (QMessageBox* box = recoveryQuestion()) {
            say(QStringLiteral("ASKED ") + box->text());
            std::_Exit(3);
        }
        return false;
    });
    QTimer::singleShot(1000, &window, [&window] { window.close(); });
}

} // namespace

int main(int argc, char* argv[]) {
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString file = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const bool known =
        mode == QStringLiteral("probe") ||
        (argc > 2 && (mode == QStringLiteral("edit") || mode == QStringLiteral("recover")));
    if (!known) {
        std::fputs("usage: recovery_driver edit FILE | recover FILE | probe\n", stderr);
        return 64;
    }
    // The program sees its own name and, when editing, the file as its command line.
    std::vector<char*> args{argv[0]};
    if (mode == QStringLiteral("edit"))
        args.push_back(argv[2]);
    args.push_back(nullptr);
    int count = static_cast<int>(args.size()) - 1;
    return RunProgram(count, args.data(), [&](TMainForm& window) {
        if (mode == QStringLiteral("edit"))
            repeat(window, [&window, file] { return typeLength(window, file); });
        else if (mode == QStringLiteral("recover"))
            repeat(window, [&window, file] { return recoverAndSave(window, file); });
        else
            probe(window);
        // A test that stopped waiting must not leave the program running for good.
        QTimer::singleShot(60000, &window, [] {
            say(QStringLiteral("TIMEOUT"));
            std::_Exit(4);
        });
    });
}

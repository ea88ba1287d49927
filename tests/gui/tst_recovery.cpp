// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include <memory>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

#include "app/DocumentManager.h"
#include "app/MainForm.h"
#include "app/RecoveryKeeper.h"
#include "chart/StrFrame.h"
#include "document/GlobalData.h"
#include "files/DocumentFile.h"
#include "files/DocumentStore.h"
#include "files/FileFrame.h"
#include "files/RecoveryFile.h"
#include "files/RecoveryStore.h"
#include "io/AtomicFile.h"
#include "io/ByteWriter.h"
#include "support/QuietWindow.h"
#include "views/StringFileTab.h"
#include "views/VornFrame.h"
#include "widgets/PageExtControl.h"

using namespace vorn;

namespace {

std::string local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

std::string readAll(const QString& path) {
    std::string bytes;
    ReadWholeFile(local(path), bytes);
    return bytes;
}

// A process of this machine that ran and is gone, as a crashed copy of the program is.
ProcessIdentity endedProcess() {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    ProcessIdentity gone = ThisProcess();
    gone.Pid = pid;
    return gone;
}

// An edit of the chart's first cell of tension, as its row makes it.
void edit(TVornFrame* frame, double tension) {
    frame->Model().Chart.Course(0).EditTension(0, tension);
}

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT

    testing::QuietWindows windows;
    TRecoveryKeeper* keeper = nullptr;
    QStringList asked, messages;
    TRecoveryKeeper::Answer answer = TRecoveryKeeper::ra_recover;

    QString root() const { return windows.Path(QStringLiteral("recovery")); }

    // A window keeping its copies under root(), the questions of the start answered.
    std::unique_ptr<TMainForm> start(const QString& openFirst = {}) {
        auto w = windows.Start();
        w->MessageHook = [this](QMessageBox::Icon, const QString&, const QString& text) {
            messages << text;
        };
        if (!openFirst.isEmpty())
            w->OpenDocumentFile(openFirst);
        keeper = w->Documents().KeepRecovery(root());
        keeper->AskRecover = [this](const QString& text) {
            asked << text;
            return answer;
        };
        QCoreApplication::processEvents();
        return w;
    }

    // A saved lute, and the copy a crashed run left of it with another tension.
    std::string leaveCopy(const QString& path, double tension = 4.25) {
        TGlobalData settings;
        TFileFrame lute(settings);
        lute.NewFromDefaults();
        lute.ViewStrings();
        if (!SaveDocumentFile(lute, local(path)))
            return {};
        lute.Chart.Course(0).EditTension(0, tension);
        ByteWriter body;
        WriteDocument(lute, body);
        RecoveryStore crashed(local(root()), endedProcess());
        if (!crashed.Write(7, RecordOf(lute, body.bytes())))
            return {};
        return body.take();
    }

private slots:
    void init() {
        QVERIFY(windows.Reset());
        asked.clear();
        messages.clear();
        answer = TRecoveryKeeper::ra_recover;
    }

    void aCopyLastsAsLongAsTheChange_data() {
        QTest::addColumn<QString>("ending");
        QTest::newRow("save") << "save";
        QTest::newRow("close discarding") << "close";
        QTest::newRow("quit") << "quit";
    }
    void aCopyLastsAsLongAsTheChange() {
        QFETCH(QString, ending);
        auto w = start();
        w->ViewStrings();
        TVornFrame* frame = w->ActiveDocument();
        QVERIFY(keeper->CopyOf(frame).isEmpty());
        edit(frame, 3.9);
        QTRY_VERIFY(!keeper->CopyOf(frame).isEmpty());
        const QString copy = keeper->CopyOf(frame);
        RecoveryRecord record;
        QVERIFY(ReadRecoveryFile(local(copy), record, nullptr));
        QCOMPARE(record.Body, frame->SaveToData());
        QCOMPARE(record.DisplayName, frame->Model().DisplayName());

        // A later change reaches the copy too.
        edit(frame, 4.1);
        // With the figures the rows show, which the body alone does not give back.
        const auto copyOfNow = [frame] {
            DocumentSnapshot now = frame->SnapshotData();
            return RecoveryFileBytes(
                RecordOf(frame->Model(), std::move(now.Body), std::move(now.Figures)));
        };
        QTRY_COMPARE(readAll(copy), copyOfNow());

        if (ending == QStringLiteral("save")) {
            QVERIFY(w->SaveDocumentFile(windows.Path(QStringLiteral("lute.vrd"))));
            QVERIFY(keeper->CopyOf(frame).isEmpty());
        } else if (ending == QStringLiteral("close")) {
            QVERIFY(w->CloseDocument());
        } else {
            QVERIFY(w->close());
            QVERIFY(QDir(root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
        }
        QVERIFY(!QFile::exists(copy));
    }

    void aCopyLeftByACrashIsOfferedOnce_data() {
        QTest::addColumn<int>("given");
        QTest::addColumn<bool>("openBefore");
        QTest::newRow("recover") << int(TRecoveryKeeper::ra_recover) << false;
        QTest::newRow("recover into the file's open tab")
            << int(TRecoveryKeeper::ra_recover) << true;
        QTest::newRow("discard") << int(TRecoveryKeeper::ra_discard) << false;
    }
    void aCopyLeftByACrashIsOfferedOnce() {
        QFETCH(int, given);
        QFETCH(bool, openBefore);
        const QString path = windows.Path(QStringLiteral("lute.vrd"));
        const std::string edited = leaveCopy(path);
        QVERIFY(!edited.empty());
        const std::string saved = readAll(path);
        answer = TRecoveryKeeper::Answer(given);

        auto w = start(openBefore ? path : QString());
        QCOMPARE(asked,
                 QStringList{QStringLiteral("Recover the unsaved changes to \"lute.vrd\"?")});
        TStringFileTab* tab = w->Documents().TabOfFile(path);
        if (answer == TRecoveryKeeper::ra_discard) {
            QVERIFY(!tab);
            QCOMPARE(w->TabCount(), 1);
            QVERIFY(QDir(root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
            return;
        }
        // The unused new document of the start gave way; the file has one tab, changed.
        QCOMPARE(w->TabCount(), 1);
        QVERIFY(tab);
        QCOMPARE(w->ActiveDocument(), tab->Frame());
        QVERIFY(tab->ShowsChanged());
        QCOMPARE(tab->Frame()->SaveToData(), edited);
        QCOMPARE(readAll(path), saved);
        // This run holds the only copy now.
        QVERIFY(!keeper->CopyOf(tab->Frame()).isEmpty());
        // Save goes to the original file.
        QVERIFY(w->SaveDocument());
        QCOMPARE(readAll(path), edited);
        QVERIFY(!tab->Frame()->Changed());
        QVERIFY(keeper->CopyOf(tab->Frame()).isEmpty());
    }

    // Two crashed runs each left changes to one file: both come back, neither over the
    // other, and the file itself stays as it was until the user saves.
    void twoCopiesOfOneFileBothComeBack() {
        const QString path = windows.Path(QStringLiteral("lute.vrd"));
        const std::string one = leaveCopy(path, 4.25);
        const std::string two = leaveCopy(path, 3.75);
        QVERIFY(!one.empty() && !two.empty() && one != two);
        const std::string saved = readAll(path);

        auto w = start();
        QCOMPARE(asked.size(), 2);
        QCOMPARE(w->TabCount(), 2);
        TStringFileTab* own = w->Documents().TabOfFile(path);
        QVERIFY(own);
        TVornFrame* copy = w->Document(0) == own->Frame() ? w->Document(1) : w->Document(0);
        QCOMPARE(copy->Model().DisplayName(), std::string("lute (recovered).vrd"));
        QVERIFY(copy->Model().FilePath.empty());
        const std::set<std::string> bodies{own->Frame()->SaveToData(), copy->SaveToData()};
        QCOMPARE(bodies, (std::set<std::string>{one, two}));
        QCOMPARE(readAll(path), saved);
        // Each is kept against another crash before its leftover goes.
        QVERIFY(!keeper->CopyOf(own->Frame()).isEmpty());
        QVERIFY(!keeper->CopyOf(copy).isEmpty());

        // The copy's save asks for a file of its own.
        QStringList proposed;
        w->Documents().AskSaveFileName = [&](const QString& name, int&) {
            proposed << name;
            return QString();
        };
        w->Documents().Tabs()->setCurrentWidget(copy->parentWidget());
        QVERIFY(!w->SaveDocument());
        QCOMPARE(proposed.size(), 1);
        QVERIFY(proposed[0].endsWith(QStringLiteral("/lute (recovered).vrd")));
        QCOMPARE(readAll(path), saved);
    }

    void aBrokenCopyIsReportedAndSetAside() {
        const QString path = windows.Path(QStringLiteral("lute.vrd"));
        QVERIFY(!leaveCopy(path).empty());
        RecoveryStore broken(local(root()), endedProcess());
        QVERIFY(broken.Write(1, {"", "", "cut", "short", {}, -1}));
        const std::string whole = readAll(QString::fromStdString(broken.FileOf(1)));
        QVERIFY(WriteFileAtomically(broken.FileOf(1), whole.substr(0, whole.size() / 2)));

        auto w = start();
        // The sound copy is offered all the same.
        QCOMPARE(asked.size(), 1);
        QVERIFY(w->Documents().TabOfFile(path));
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith(QStringLiteral("Unable to recover unsaved changes from")),
                 qPrintable(messages[0]));
        const QStringList aside = QDir(root()).entryList({QStringLiteral("*.damaged")});
        QCOMPARE(aside.size(), 1);
        QVERIFY(messages[0].contains(aside[0]));
    }

    // The real question, answered with the button a screen reader names (the crash test
    // takes the other one).
    void theQuestionNamesItsButtons() {
        QVERIFY(!leaveCopy(windows.Path(QStringLiteral("lute.vrd"))).empty());
        auto w = windows.Start();
        w->show();
        QString text, name;
        QTimer clicker;
        connect(&clicker, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            text = box->text();
            name = box->accessibleName();
            for (QAbstractButton* b : box->buttons())
                if (b->accessibleName() == QStringLiteral("Discard"))
                    b->click();
        });
        clicker.start(20);
        TRecoveryKeeper* real = w->Documents().KeepRecovery(root());
        QCOMPARE(real->OfferLeftovers(), 0);
        QCOMPARE(text, QStringLiteral("Recover the unsaved changes to \"lute.vrd\"?"));
        QVERIFY(!name.isEmpty());
        QCOMPARE(w->TabCount(), 1);
        QVERIFY(!w->Documents().TabOfFile(windows.Path(QStringLiteral("lute.vrd"))));
    }
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"

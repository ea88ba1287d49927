// SPDX-License-Identifier: GPL-3.0-or-later

// The program run several times over one settings file, with another program changing a
// document's file between the runs: what the settings kept never replaces the newer file.
// Two runs at once over one settings file both keep their documents; an exit that cannot
// write the settings file keeps them as recovery copies.
// Each run is the program as main() starts it, through a driver copied into the test's folder
// so that it keeps its settings beside itself, and quit with every question's default answer.
#include <QtTest>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <string>

#include "document/GlobalData.h"
#include "files/DocumentStore.h"
#include "files/FileFrame.h"

using namespace vorn;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void saveLute(const QString& path) {
    TGlobalData settings;
    TFileFrame frame(settings);
    frame.NewFromDefaults();
    frame.ViewStrings();
    QFile::remove(path);
    QVERIFY(SaveDocumentFile(frame, QFile::encodeName(path).toStdString()));
}

} // namespace

class TestSessionReopen : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString program;

    void start(QProcess& process, const QStringList& arguments) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
            env.insert(QString::fromLatin1(name), dir.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(program, QStringList{QStringLiteral("run")} + arguments);
    }

    // The lines of a run started with --hold, up to the one saying it holds.
    static QStringList untilHolding(QProcess& process) {
        QByteArray out;
        while (!out.contains("HOLDING\n") && process.waitForReadyRead(60000))
            out += process.readAllStandardOutput();
        return QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts);
    }

    // The driver's lines, once it quit on its own with exit code 0.
    QStringList run(const QStringList& arguments) {
        QProcess process;
        start(process, arguments);
        return finish(process);
    }

    static QStringList finish(QProcess& process) {
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return {QStringLiteral("NOT FINISHED")};
        }
        QStringList lines =
            QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            lines << QStringLiteral("EXIT %1").arg(process.exitCode());
        return lines;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        program = dir.filePath(QStringLiteral("vorn"));
        QVERIFY(QFile::copy(QStringLiteral(VORN_SESSION_DRIVER), program));
        QVERIFY(QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("home"))));
    }

    void newerFileIsNeverOverwritten_data() {
        QTest::addColumn<bool>("edited");
        QTest::newRow("kept unchanged") << false;
        QTest::newRow("kept with unsaved edits") << true;
    }
    void newerFileIsNeverOverwritten() {
        QFETCH(bool, edited);
        QFile::remove(dir.filePath(QStringLiteral("vorn.vrn")));
        const QString lute = dir.filePath(QStringLiteral("lute.vrd"));
        saveLute(lute);

        // Opened and quit: the settings keep it for the next start.
        QStringList edit;
        if (edited)
            edit << QStringLiteral("--edit");
        QStringList lines = run(edit + QStringList{lute});
        QCOMPARE(lines.filter(QStringLiteral("TAB ")),
                 QStringList{QStringLiteral("TAB %1 %2").arg(edited ? 1 : 0).arg(lute)});
        QVERIFY2(lines.filter(QStringLiteral("ASKED")).isEmpty(), qPrintable(lines.join(u'\n')));
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("vorn.vrn"))));

        // Another program changes the file.
        QProcess calc;
        calc.start(QStringLiteral(VORN_CALC_PATH),
                   {QStringLiteral("change"), lute, QStringLiteral("--tension"),
                    QStringLiteral("4.4"), QStringLiteral("--output"), lute});
        QVERIFY(calc.waitForFinished(30000));
        QCOMPARE(calc.exitCode(), 0);
        const QByteArray newer = fileBytes(lute);
        QVERIFY(!newer.isEmpty());

        // Started again and quit with every default answer: the file stays as it is.
        lines = run({});
        const QStringList asked = lines.filter(QStringLiteral("ASKED"));
        QCOMPARE(asked, edited ? QStringList{QStringLiteral(
                                     "ASKED \"lute.vrd\" was changed by another program since "
                                     "Vorn last saw it.")}
                               : QStringList());
        QCOMPARE(lines.filter(QStringLiteral("TAB ")),
                 QStringList{QStringLiteral("TAB 0 ") + lute});
        QVERIFY2(lines.filter(QStringLiteral("EXIT")).isEmpty(), qPrintable(lines.join(u'\n')));
        QCOMPARE(fileBytes(lute), newer);

        // And once more: what the last run kept is now the newer file.
        lines = run({});
        QCOMPARE(lines.filter(QStringLiteral("ASKED")), QStringList());
        QCOMPARE(lines.filter(QStringLiteral("TAB ")),
                 QStringList{QStringLiteral("TAB 0 ") + lute});
        QCOMPARE(fileBytes(lute), newer);
    }

    // Two copies on one settings file, each keeping its document: whichever quits last, the
    // next start reopens both and lists both among the recent files.
    void twoCopiesKeepBothDocuments_data() {
        QTest::addColumn<bool>("firstQuitsFirst");
        QTest::newRow("first started quits first") << true;
        QTest::newRow("second started quits first") << false;
    }
    void twoCopiesKeepBothDocuments() {
        QFETCH(bool, firstQuitsFirst);
        QFile::remove(dir.filePath(QStringLiteral("vorn.vrn")));
        QFile::remove(dir.filePath(QStringLiteral("vorn.ini")));
        const QString lute = dir.filePath(QStringLiteral("lute.vrd"));
        const QString theorbo = dir.filePath(QStringLiteral("theorbo.vrd"));
        saveLute(lute);
        saveLute(theorbo);
        const QString goFirst = dir.filePath(QStringLiteral("go-first"));
        const QString goSecond = dir.filePath(QStringLiteral("go-second"));
        QFile::remove(goFirst);
        QFile::remove(goSecond);

        QProcess first, second;
        start(first, {QStringLiteral("--hold"), goFirst, lute});
        QCOMPARE(untilHolding(first).filter(QStringLiteral("TAB ")),
                 QStringList{QStringLiteral("TAB 0 ") + lute});
        // The first copy still runs: its document stays with it.
        start(second, {QStringLiteral("--hold"), goSecond, theorbo});
        QCOMPARE(untilHolding(second).filter(QStringLiteral("TAB ")),
                 QStringList{QStringLiteral("TAB 0 ") + theorbo});

        for (const bool one : {firstQuitsFirst, !firstQuitsFirst}) {
            QFile go(one ? goFirst : goSecond);
            QVERIFY(go.open(QIODevice::WriteOnly));
            go.close();
            const QStringList lines = finish(one ? first : second);
            QVERIFY2(lines.filter(QStringLiteral("EXIT")).isEmpty() &&
                         lines.filter(QStringLiteral("NOT FINISHED")).isEmpty(),
                     qPrintable(lines.join(u'\n')));
        }

        const QStringList lines = run({});
        QStringList tabs = lines.filter(QStringLiteral("TAB "));
        tabs.sort();
        QCOMPARE(tabs, (QStringList{QStringLiteral("TAB 0 ") + lute,
                                    QStringLiteral("TAB 0 ") + theorbo}));
        // vorn.ini too holds what both copies did, the later opened first.
        QCOMPARE(
            lines.filter(QStringLiteral("RECENT ")),
            (QStringList{QStringLiteral("RECENT ") + theorbo, QStringLiteral("RECENT ") + lute}));
    }

    // A folder where the settings file should be: the exit says the kept document would be
    // lost; quitting anyway leaves its unsaved edits as a recovery copy the next start offers.
    void failedSettingsWriteKeepsTheDocuments() {
        const QString settingsFile = dir.filePath(QStringLiteral("vorn.vrn"));
        QFile::remove(settingsFile);
        QVERIFY(QDir().mkpath(settingsFile));
        const QString lute = dir.filePath(QStringLiteral("lute.vrd"));
        saveLute(lute);

        QStringList lines = run({QStringLiteral("--edit"), QStringLiteral("--press"),
                                 QStringLiteral("Quit Anyway"), lute});
        QVERIFY2(lines.contains(QStringLiteral("The documents kept for reopening would be lost.")),
                 qPrintable(lines.join(u'\n')));
        QVERIFY2(lines.filter(QStringLiteral("EXIT")).isEmpty(), qPrintable(lines.join(u'\n')));

        QVERIFY(QDir(settingsFile).removeRecursively());
        lines = run({});
        QCOMPARE(lines.filter(QStringLiteral("ASKED Recover")),
                 QStringList{QStringLiteral("ASKED Recover the unsaved changes to \"lute.vrd\"?")});
        QCOMPARE(lines.filter(QStringLiteral("TAB ")),
                 QStringList{QStringLiteral("TAB 1 ") + lute});
    }
};

QTEST_GUILESS_MAIN(TestSessionReopen)
#include "tst_sessionreopen.moc"

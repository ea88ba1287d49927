// SPDX-License-Identifier: GPL-3.0-or-later

// The program killed with unsaved changes and started again: what was on screen comes back.
// The program runs as its own process through the driver (main()'s start-up with a user's
// hands on it), copied into the test's folder so that, like any copy run from its own folder,
// it keeps its settings and recovery copies beside itself.
#include <QtTest>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <filesystem>
#include <string>

#include "document/GlobalData.h"
#include "files/DocumentStore.h"
#include "files/FileFrame.h"
#include "files/RecoveryFile.h"
#include "io/AtomicFile.h"

using namespace vorn;

namespace {

std::string readAll(const QString& path) {
    std::string bytes;
    ReadWholeFile(QFile::encodeName(path).toStdString(), bytes);
    return bytes;
}

// Every copy under folder, read whole.
QList<RecoveryRecord> copiesUnder(const QString& folder) {
    QList<RecoveryRecord> copies;
    std::error_code ec;
    const std::filesystem::path root(QFile::encodeName(folder).toStdString());
    for (std::filesystem::recursive_directory_iterator it(root, ec), end; !ec && it != end;
         it.increment(ec)) {
        RecoveryRecord record;
        if (it->path().extension() == ".recovery" &&
            ReadRecoveryFile(it->path().string(), record, nullptr))
            copies << record;
    }
    return copies;
}

} // namespace

class TestCrashRecovery : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString program, document;
    std::string original;

    void prepare(QProcess& run, const QStringList& arguments) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // Nothing of the user's own folders: the copy keeps all it writes beside itself.
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
            env.insert(QString::fromLatin1(name), dir.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        run.setProcessEnvironment(env);
        run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        run.start(program, arguments);
    }

    // The rest of the line after `key` once the program printed it; empty after 30 s.
    static QString awaitLine(QProcess& run, const QString& key, QStringList* seen = nullptr) {
        QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired()) {
            while (run.canReadLine()) {
                const QString line = QString::fromUtf8(run.readLine()).trimmed();
                if (seen)
                    *seen << line;
                if (line.startsWith(key + u' '))
                    return line.mid(key.size() + 1);
            }
            if (run.state() == QProcess::NotRunning && !run.canReadLine())
                break;
            run.waitForReadyRead(200);
        }
        return {};
    }

    QString recoveryFolder() const { return program + QStringLiteral(".recovery"); }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        program = dir.filePath(QStringLiteral("vorn"));
        QVERIFY(QFile::copy(QStringLiteral(VORN_RECOVERY_DRIVER), program));
        QVERIFY(QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("home"))));

        TGlobalData settings;
        TFileFrame lute(settings);
        lute.NewFromDefaults();
        lute.ViewStrings();
        document = dir.filePath(QStringLiteral("lute.vrd"));
        QVERIFY(SaveDocumentFile(lute, QFile::encodeName(document).toStdString()));
        original = readAll(document);
        QVERIFY(!original.empty());
    }

    void killedProgramGivesItsChangesBack() {
        QProcess editor;
        prepare(editor, {QStringLiteral("edit"), document});
        const QByteArray shown =
            QByteArray::fromHex(awaitLine(editor, QStringLiteral("SHOWN")).toLatin1());
        QVERIFY2(!shown.isEmpty(), "the program did not report its edit");
        QVERIFY(shown.toStdString() != original);
        // The copy holds what the screen shows; nothing was saved.
        QTRY_VERIFY_WITH_TIMEOUT(copiesUnder(recoveryFolder()).size() == 1 &&
                                     copiesUnder(recoveryFolder())[0].Body == shown.toStdString(),
                                 10000);
        QCOMPARE(readAll(document), original);

        // A second copy of the program started meanwhile leaves the running one's copy alone.
        QProcess probe;
        prepare(probe, {QStringLiteral("probe")});
        QVERIFY(probe.waitForFinished(30000));
        QCOMPARE(probe.exitCode(), 0);
        QVERIFY(!probe.readAllStandardOutput().contains("ASKED"));
        QCOMPARE(copiesUnder(recoveryFolder()).size(), 1);

        editor.kill(); // SIGKILL: no chance to tidy up
        QVERIFY(editor.waitForFinished(10000));
        QCOMPARE(editor.exitStatus(), QProcess::CrashExit);

        QProcess again;
        prepare(again, {QStringLiteral("recover"), document});
        QStringList lines;
        const QString recovered = awaitLine(again, QStringLiteral("RECOVERED"), &lines);
        QVERIFY2(again.waitForFinished(30000), qPrintable(lines.join(u'\n')));
        QCOMPARE(again.exitCode(), 0);
        lines << QString::fromUtf8(again.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.filter(QStringLiteral("ASKED")),
                 QStringList{QStringLiteral("ASKED Recover the unsaved changes to \"lute.vrd\"?")});
        // A changed tab of the original file, with the very bytes that were on screen.
        QCOMPARE(recovered.section(u' ', 0, 0), QStringLiteral("1"));
        QCOMPARE(QByteArray::fromHex(recovered.section(u' ', 1, 1).toLatin1()), shown);
        QCOMPARE(lines.filter(QStringLiteral("PATH ")),
                 QStringList{QStringLiteral("PATH ") + QFileInfo(document).absoluteFilePath()});
        // Ctrl+S wrote them to that file, and the normal quit after it left no copy behind.
        QCOMPARE(QByteArray::fromStdString(readAll(document)), shown);
        QVERIFY(copiesUnder(recoveryFolder()).isEmpty());
        QCOMPARE(QDir(recoveryFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }
};

QTEST_GUILESS_MAIN(TestCrashRecovery)
#include "tst_crashrecovery.moc"

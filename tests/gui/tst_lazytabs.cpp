// SPDX-License-Identifier: GPL-3.0-or-later

// Reopened documents build their charts only when their tab is first shown. What such a tab
// shows then, and what the window says of it before, must be what the same document shows
// when it is opened directly.
#include <QtTest>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "document/GlobalData.h"
#include "files/DocumentStore.h"
#include "files/FileFrame.h"
#include "files/SettingsFile.h"
#include "views/OneCrsPanelView.h"
#include "views/StrFrameView.h"
#include "views/VornFrame.h"
#include "widgets/PageExtControl.h"

using namespace vorn;

namespace {

constexpr int BaroqueLute = 10;
constexpr int Theorbo = 13;

// What the rows show, cell by cell, in the order the rows make them.
QStringList rowTexts(TVornFrame& frame) {
    QStringList texts;
    TStrFrameView* chart = frame.StringView();
    for (int row = 0; row < chart->RowCount(); ++row) {
        QWidget* shown = chart->Row(row);
        texts << QStringLiteral("row %1").arg(row);
        for (QWidget* w : shown->findChildren<QWidget*>()) {
            if (auto* edit = qobject_cast<QLineEdit*>(w))
                texts << edit->text();
            else if (auto* combo = qobject_cast<QComboBox*>(w))
                texts << combo->currentText();
        }
    }
    return texts;
}

QStringList statusTexts(const TMainForm& w) {
    QStringList texts;
    for (int panel = 3; panel <= 6; ++panel)
        texts << w.PanelText(panel);
    return texts;
}

std::unique_ptr<TMainForm> quietWindow(const QString& settingsPath) {
    auto w = std::make_unique<TMainForm>(settingsPath);
    w->MessageHook = [](QMessageBox::Icon, const QString&, const QString&) {};
    w->Documents().AskSaveChanges = [](const QString&) { return QMessageBox::Discard; };
    w->resize(1000, 680);
    return w;
}

} // namespace

class TestLazyTabs : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    TGlobalData settings;
    std::vector<std::unique_ptr<TFileFrame>> documents;
    QStringList files;

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(dir.isValid());
        settings.StartupChoice = 2;
        // Three documents unlike each other: the default lute, a theorbo in another pitch and
        // temperament, a Baroque lute with an edited tension; the last is the active one.
        for (int type : {-1, Theorbo, BaroqueLute}) {
            auto& frame = documents.emplace_back(std::make_unique<TFileFrame>(settings));
            if (type < 0)
                frame->NewFromDefaults();
            else
                frame->ApplyTemplate(type);
            frame->ViewStrings();
        }
        documents[1]->Document.SetTemperament(3);
        documents[1]->Document.APitch = 415;
        documents[1]->ViewStrings();
        documents[2]->Chart.Course(4).EditTension(0, 4.2);
        // Each also as a file of its own, to be opened directly.
        for (size_t i = 0; i < documents.size(); ++i) {
            const QString file = dir.filePath(QStringLiteral("direct%1.vrd").arg(i));
            QVERIFY(SaveDocumentFile(*documents[i], QFile::encodeName(file).toStdString()));
            files << file;
        }
        // The settings keep them without a file, as unsaved documents.
        std::vector<TFileFrame*> kept;
        for (auto& frame : documents) {
            frame->FilePath.clear();
            frame->FileName.clear();
            kept.push_back(frame.get());
        }
        const std::string bytes = SettingsFileBytes(settings, kept);
        QFile out(path("vorn.vrn"));
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write(bytes.data(), qint64(bytes.size())), qint64(bytes.size()));
    }

    void laterTabShowsWhatTheDocumentOpenedDirectlyShows() {
        auto direct = quietWindow(path("direct.vrn"));
        direct->show();
        QVERIFY(QTest::qWaitForWindowExposed(direct.get()));

        auto w = quietWindow(path("vorn.vrn"));
        // Hidden first: the status of a tab whose chart was never built.
        QCOMPARE(w->TabCount(), int(documents.size()));
        for (int i = 0; i < w->TabCount(); ++i)
            QVERIFY2(!w->Document(i)->StringViewBuilt(), qPrintable(QString::number(i)));

        QStringList seen;
        for (int i = 0; i < w->TabCount(); ++i) {
            QVERIFY(direct->OpenDocumentFile(files[i]));
            QCoreApplication::processEvents();
            w->Tabs()->setCurrentIndex(i);
            QCOMPARE(statusTexts(*w), statusTexts(*direct));
            QVERIFY(w->PanelText(4).startsWith(QStringLiteral("Bridge: ")));
            QVERIFY(!seen.contains(w->PanelText(4))); // each tab its own figures
            seen << w->PanelText(4);
            QCOMPARE(w->Document(i)->StringViewBuilt(), false);
            // Unsaved, under the name its document gives itself.
            QCOMPARE(w->Tabs()->tabText(i).trimmed(),
                     QStringLiteral("*") + QString::fromStdString(documents[i]->DisplayName()));
        }

        // Shown: the active tab builds its chart, the others wait for theirs.
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const int active = w->TabCount() - 1;
        QCOMPARE(w->Tabs()->currentIndex(), active);
        QVERIFY(w->Document(active)->StringViewBuilt());
        for (int i = 0; i < active; ++i)
            QVERIFY(!w->Document(i)->StringViewBuilt());

        for (int i = 0; i < w->TabCount(); ++i) {
            direct->Tabs()->setCurrentIndex(i + 1); // after the start's new document
            w->Tabs()->setCurrentIndex(i);
            QCoreApplication::processEvents();
            QVERIFY(w->Document(i)->StringViewBuilt());
            QCOMPARE(w->Document(i)->StringView()->RowCount(),
                     int(documents[i]->Chart.CourseCount()));
            const QStringList lazy = rowTexts(*w->Document(i));
            QVERIFY(lazy.size() > w->Document(i)->StringView()->RowCount() * 4);
            QCOMPARE(lazy, rowTexts(*direct->ActiveDocument()));
            QCOMPARE(statusTexts(*w), statusTexts(*direct));
        }
    }

    // The settings written while the later tabs were never shown keep their documents whole.
    void sessionKeepsTabsNeverShown() {
        {
            auto w = quietWindow(path("vorn.vrn"));
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w.get()));
            QVERIFY(!w->Document(0)->StringViewBuilt());
            QVERIFY(w->WriteSettingsFile());
        }
        TGlobalData read;
        const SettingsLoad load =
            LoadSettingsFile(QFile::encodeName(path("vorn.vrn")).toStdString(), read);
        QCOMPARE(load.Documents.size(), documents.size());
        for (size_t i = 0; i < documents.size(); ++i)
            QVERIFY(load.Documents[i]->Document == documents[i]->Document);
    }
};

QTEST_MAIN(TestLazyTabs)
#include "tst_lazytabs.moc"

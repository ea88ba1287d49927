// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include <memory>

#include "app/DocumentManager.h"
#include "app/HelpViewer.h"
#include "app/MainForm.h"
#include "app/PreferencesIni.h"
#include "app/RecoveryKeeper.h"
#include "app/SessionKeeper.h"
#include "app/SideBar.h"
#include "app/StatusPanels.h"
#include "app/VolumeControl.h"
#include "app/VornPrint.h"
#include "chart/StrFrame.h"
#include "document/GlobalData.h"
#include "document/InstrumentTemplates.h"
#include "files/DocumentFile.h"
#include "files/DocumentStore.h"
#include "files/FileFrame.h"
#include "files/PreferencesFile.h"
#include "files/SettingsFile.h"
#include "io/ByteWriter.h"
#include "io/FileHeader.h"
#include "pitch/FrequencyRecord.h"
#include "support/OldBodyWriter.h"
#include "views/FretFrormView.h"
#include "views/OneCrsPanelView.h"
#include "views/PlacementFrameView.h"
#include "views/StrFrameView.h"
#include "views/VornFrame.h"
#include "widgets/FittedMessageBox.h"
#include "widgets/FloatSpinBase.h"
#include "widgets/LabelledTrackBar.h"
#include "widgets/NotePanel.h"
#include "widgets/NoteSpinEdit.h"
#include "widgets/PageExtControl.h"
#include "widgets/VornFloatEdit.h"

using namespace vorn;

namespace {

struct Message {
    QMessageBox::Icon icon;
    QString caption;
    QString text;
    QString informative = {};
};

// What a real message box showed before a key answered it.
struct BoxSeen {
    QString text, informative, defaultButton;
    bool answered = false;
};

// Presses key in the first modal box of that object name once it shows.
void answerBox(const QString& name, Qt::Key key, BoxSeen& seen) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, name, key, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box->objectName() != name)
            return;
        seen.text = box->text();
        seen.informative = box->informativeText();
        seen.defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
        seen.answered = true;
        QTest::keyClick(box, key);
        timer->deleteLater();
    });
    timer->start(20);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a row shows, string by string: note, frequency, length, tension, gut diameter, the
// alternative and its diameter or catalogue label. Only what a file stores with `stored`:
// a tension comes back computed from the rounded diameter and may differ in its last digit.
QStringList rowTexts(TVornFrame* frame, bool stored = false) {
    QStringList rows;
    TStrFrameView* view = frame->StringView();
    for (int i = 0; i < view->RowCount(); ++i) {
        TOneCrsPanelView* row = view->Row(i);
        for (TOneStringPanelView* s : {row->FirstString(), row->OctaveString()}) {
            if (!s)
                continue;
            const NoteValue& note = s->NoteCell()->Note();
            if (stored) {
                rows << QStringList{QString::number(note.Number), QString::number(note.Accidental),
                                    s->LengthCell()->text(), s->GutDiameterCell()->text(),
                                    s->AltChoiceBox()->currentText()}
                            .join(u'|');
                continue;
            }
            rows << QStringList{QString::number(note.Number),
                                QString::number(note.Accidental),
                                s->NoteCell()->text(),
                                s->LengthCell()->text(),
                                s->TensionCell()->text(),
                                s->GutDiameterCell()->text(),
                                s->AltChoiceBox()->currentText(),
                                s->AltDiameterCell()->text()}
                        .join(u'|');
        }
    }
    return rows;
}

QString caption(TMainForm& w, int index) {
    return w.Tabs()->Page(index)->Caption().trimmed();
}

QAction* action(TMainForm& w, const char* name) {
    return w.findChild<QAction*>(QString::fromLatin1(name));
}

// By object name, or by accessible name for the string chart's cells, which have no other.
QWidget* shownControl(QWidget& root, const QString& name) {
    if (auto* w = root.findChild<QWidget*>(name))
        return w;
    for (QWidget* w : root.findChildren<QWidget*>())
        if (w->accessibleName() == name && w->isVisible())
            return w;
    return nullptr;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QList<Message> messages;

    QString settingsPath() const { return dir->filePath(QStringLiteral("vorn.vrn")); }
    // The settings file as a test made it, byte for byte.
    bool writeSettings(const std::string& bytes) const {
        QFile file(settingsPath());
        return file.open(QIODevice::WriteOnly) &&
               file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
    }

    // A window over the test's settings file; its start-up messages are collected.
    std::unique_ptr<TMainForm> start(const QString& path = {}) {
        auto w = std::make_unique<TMainForm>(path.isEmpty() ? settingsPath() : path);
        listen(*w);
        QCoreApplication::processEvents();
        return w;
    }

    void listen(TMainForm& w) {
        w.MessageHook = [this](QMessageBox::Icon icon, const QString& cap, const QString& text) {
            messages << Message{icon, cap, text};
        };
        w.DetailedMessageHook = [this](QMessageBox::Icon icon, const QString& cap,
                                       const QString& text, const QString& informative) {
            messages << Message{icon, cap, text, informative};
        };
        // Changes are dropped unless a test says otherwise: no test waits on a real box.
        w.Documents().AskSaveChanges = [](const QString&) { return QMessageBox::Discard; };
    }

    // Closes the window the way the user does, which writes the settings file.
    static void quit(std::unique_ptr<TMainForm>& w) {
        QVERIFY(w->close());
        w.reset();
    }

private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        messages.clear();
    }

    void firstStartShowsOneNewDocument() {
        auto w = start();
        QCOMPARE(w->TabCount(), 1);
        QCOMPARE(caption(*w, 0), QStringLiteral("Alto Lute in G_10crs_sl64"));
        QCOMPARE(w->ActiveDocument()->CurrentPage(), int(TVornFrame::FileSetupPage));
        QVERIFY(!action(*w, "ActSave")->isEnabled());
        QVERIFY(!action(*w, "ActPrint")->isEnabled());
        QCOMPARE(w->PanelText(0), QStringLiteral("Play: "));
        QCOMPARE(w->PanelText(2), QStringLiteral("440 htz."));
        for (int panel = 3; panel <= 6; ++panel)
            QVERIFY(w->PanelText(panel).isEmpty());
        QCOMPARE(w->NoteDisplay()->Note().Number, 69);
        QCOMPARE(w->NoteDisplay()->geometry().topLeft(),
                 QPoint(w->StatusPanels()->PanelWidth(0) + 1, 2));
        QVERIFY(w->Settings().Materials.Count() > 0);
        QVERIFY(messages.isEmpty());
    }

    void closingTheLastTabLeavesOneNewDocument_data() {
        QTest::addColumn<bool>("byGlyph");
        QTest::newRow("Close command") << false;
        QTest::newRow("close glyph") << true;
    }
    void closingTheLastTabLeavesOneNewDocument() {
        QFETCH(bool, byGlyph);
        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->ViewStrings();
        TVornFrame* old = w->ActiveDocument();
        QPointer<QWidget> oldTab = w->Tabs()->Page(0);
        if (byGlyph) {
            TPageExtTabBar* bar = w->Tabs()->ExtTabBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->CloseBox(0).center());
        } else {
            QTest::keyClick(w.get(), Qt::Key_W, Qt::ControlModifier);
        }
        QCOMPARE(w->TabCount(), 1);
        QVERIFY(oldTab.isNull());
        QVERIFY(w->ActiveDocument() != old);
        QVERIFY(!w->ActiveDocument()->HasCourseRows());
        QCOMPARE(w->ActiveDocument()->CurrentPage(), int(TVornFrame::FileSetupPage));
        QVERIFY(w->PanelText(4).isEmpty());
    }

    void closingOneOfSeveralTabsKeepsTheOthers() {
        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
        QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(w->TabCount(), 3);
        TVornFrame* first = w->Document(0);
        w->Tabs()->setCurrentIndex(1);
        w->CloseDocument();
        QCOMPARE(w->TabCount(), 2);
        QCOMPARE(w->Document(0), first);
    }

    void saveThenOpenGivesTheSameRows() {
        auto w = start();
        w->ViewStrings();
        TVornFrame* saved = w->ActiveDocument();
        // Away from the template, so the comparison sees what was saved.
        saved->Model().Chart.Course(2).StepNote(true);
        saved->Model().Chart.Course(0).EditTension(0, 3.9);
        QString proposed;
        const QString path = dir->filePath(QStringLiteral("my lute"));
        w->Documents().AskSaveFileName = [&](const QString& p, int&) {
            proposed = p;
            return path;
        };
        QVERIFY(w->SaveDocument());
        QCOMPARE(QFileInfo(proposed).fileName(), QStringLiteral("Alto Lute in G_10crs_sl64.vrd"));
        QVERIFY(QFileInfo::exists(path + QStringLiteral(".vrd")));
        QCOMPARE(caption(*w, 0), QStringLiteral("my lute.vrd"));

        // The saved file is open already; a copy of it gets a tab of its own.
        w->Documents().AskOpenFileName = [&](const QString&) {
            return path + QStringLiteral(".vrd");
        };
        QVERIFY(w->OpenDocument());
        QCOMPARE(w->TabCount(), 1);
        const QString copy = dir->filePath(QStringLiteral("copy.vrd"));
        QVERIFY(QFile::copy(path + QStringLiteral(".vrd"), copy));
        w->Documents().AskOpenFileName = [&](const QString&) { return copy; };
        QVERIFY(w->OpenDocument());
        QCOMPARE(w->TabCount(), 2);
        TVornFrame* opened = w->ActiveDocument();
        QVERIFY(opened != saved);
        QCOMPARE(opened->CurrentPage(), int(TVornFrame::StringChartPage));
        QCOMPARE(caption(*w, 1), QStringLiteral("copy.vrd"));
        const QStringList before = rowTexts(saved);
        QCOMPARE(before.size(), 15); // ten courses, five with octave strings
        QCOMPARE(rowTexts(opened), before);
        QVERIFY(messages.isEmpty());
    }

    // The file dialogs start in the active document's folder, else in the folder last used,
    // which the next run remembers; at first in the home folder.
    void fileDialogsStartWhereTheUserWorks() {
        const QString a = dir->filePath(QStringLiteral("a"));
        const QString b = dir->filePath(QStringLiteral("b"));
        QVERIFY(QDir().mkpath(a) && QDir().mkpath(b));
        QString proposed, target, openedIn;
        const auto hook = [&](TMainForm& w) {
            w.Documents().AskSaveFileName = [&](const QString& path, int&) {
                proposed = path;
                return target;
            };
            w.Documents().AskOpenFileName = [&](const QString& folder) {
                openedIn = folder;
                return QString();
            };
        };
        auto w = start();
        hook(*w);
        w->ViewStrings();
        target = QDir(a).filePath(QStringLiteral("lute-a"));
        QVERIFY(w->SaveDocument());
        QCOMPARE(QFileInfo(proposed).absolutePath(), QDir::homePath());

        w->NewDocument();
        w->ViewStrings();
        target = QDir(b).filePath(QStringLiteral("lute-b"));
        QVERIFY(w->SaveDocument());
        QCOMPARE(QFileInfo(proposed).absolutePath(), a);

        w->Tabs()->setCurrentIndex(0);
        target.clear();
        QVERIFY(!w->SaveDocumentAs());
        QCOMPARE(proposed, QDir(a).filePath(QStringLiteral("lute-a.vrd")));
        QVERIFY(!w->OpenDocument());
        QCOMPARE(openedIn, a);
        quit(w);

        auto again = start();
        hook(*again);
        again->NewDocument();
        QVERIFY(!again->OpenDocument());
        QCOMPARE(openedIn, b);
    }

    void saveNeedsCourseRowsAndACooperativeDisk() {
        auto w = start();
        bool asked = false;
        w->Documents().AskSaveFileName = [&](const QString&, int&) {
            asked = true;
            return dir->filePath(QStringLiteral("no/such/folder/x.vrd"));
        };
        QVERIFY(!w->SaveDocument());
        QVERIFY(!asked);

        w->ViewStrings();
        QVERIFY(!w->SaveDocument());
        QVERIFY(asked);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].caption, QStringLiteral("Oops!"));
        QCOMPARE(messages[0].icon, QMessageBox::Warning);
        QVERIFY(messages[0].text.startsWith(QStringLiteral("Unable to save file")));
        QCOMPARE(caption(*w, 0), QStringLiteral("Alto Lute in G_10crs_sl64"));
        QVERIFY(w->ActiveDocument()->Model().FileName.empty());
    }

    void refusedFileClosesItsTab_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("garbage") << QByteArray("\x13\x37garbage bytes, not a document", 31)
                                 << int(QMessageBox::Information) << QStringLiteral("Oops!")
                                 << QStringLiteral("Unable to load file");
        ByteWriter old;
        WriteVersion(old, 1.0);
        testing::OldBody viol;
        viol.Code = 9;
        old.raw(testing::OldBodyBytes(viol));
        QTest::newRow("old bowed instrument")
            << QByteArray::fromStdString(old.bytes()) << int(QMessageBox::NoIcon)
            << QStringLiteral("Vorn") << QStringLiteral("Bowed instruments no longer supported");
        // One damaged byte made a string length of 4,966,055,936 cm that once loaded.
        TGlobalData defaults;
        TFileFrame tenor(defaults);
        tenor.ApplyTemplate(5);
        ByteWriter current;
        WriteDocument(tenor, current);
        std::string damaged = current.bytes();
        const float length = 4966055936.0f;
        damaged.replace(16, sizeof length, reinterpret_cast<const char*>(&length), sizeof length);
        QTest::newRow("absurd string length")
            << QByteArray::fromStdString(damaged) << int(QMessageBox::Information)
            << QStringLiteral("Oops!") << QStringLiteral("Unable to load file");
    }
    void refusedFileClosesItsTab() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, icon);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        const QString path = dir->filePath(QStringLiteral("refused.vrd"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();

        auto w = start();
        w->ViewStrings();
        w->NewDocument();
        TVornFrame* second = w->ActiveDocument();
        QVERIFY(!w->OpenDocumentFile(path));
        QCOMPARE(w->TabCount(), 2);
        QCOMPARE(w->ActiveDocument(), second);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(int(messages[0].icon), icon);
        QCOMPARE(messages[0].caption, caption);
        QCOMPARE(messages[0].text, text);
    }

    void statusShowsTheActiveDocument() {
        auto w = start();
        w->ViewStrings();
        TVornFrame* lute = w->ActiveDocument();
        QCOMPARE(w->PanelText(3), QStringLiteral("Renaissance Lute"));
        QCOMPARE(w->PanelText(5), QStringLiteral("Pitch: A=440"));
        QCOMPARE(w->PanelText(6), QStringLiteral("Temperament: 1/6 Comma (Gerle-Dowland)"));
        const QString bridge =
            QStringLiteral("Bridge: %1 kg.").arg(double(lute->TotalTension()), 0, 'f', 3);
        QCOMPARE(w->PanelText(4), bridge);

        // A tension change reaches the bridge panel.
        lute->Model().Chart.Course(0).EditTension(0, 6.0);
        QVERIFY(w->PanelText(4) != bridge);
        QCOMPARE(w->PanelText(4),
                 QStringLiteral("Bridge: %1 kg.").arg(double(lute->TotalTension()), 0, 'f', 3));

        // A document without rows clears the figures; back on the lute they return.
        w->NewDocument();
        for (int panel = 3; panel <= 6; ++panel)
            QVERIFY(w->PanelText(panel).isEmpty());
        w->Tabs()->setCurrentIndex(0);
        QCOMPARE(w->PanelText(5), QStringLiteral("Pitch: A=440"));
        QCOMPARE(w->PanelText(3), QStringLiteral("Renaissance Lute"));
    }

    // The side bar's Frets, the slider, and back: the status bar and every string follow.
    void fretChartRetunesTheInstrument() {
        auto w = start();
        w->ViewStrings();
        TVornFrame* lute = w->ActiveDocument();
        const TStrFrame& chart = lute->Model().Chart;
        const double before = chart.Courses.back()->First.Rec.Frequency;
        w->findChild<QToolButton*>(QStringLiteral("SpeedFrets"))->click();
        QCOMPARE(lute->CurrentPage(), int(TVornFrame::FretChartPage));
        QVERIFY(!w->findChild<QToolButton*>(QStringLiteral("SpeedFrets"))->isChecked());

        lute->FretView()->TrackBar()->Slider()->setValue(50);
        QCOMPARE(lute->FretView()->Selector()->currentText(),
                 QStringLiteral("1/4 Comma (Pure major third)"));
        QCOMPARE(w->PanelText(6), QStringLiteral("Temperament: 1/4 Comma (Pure major third)"));
        QCOMPARE(chart.Courses.back()->First.Rec.Frequency, before); // not yet

        w->findChild<QToolButton*>(QStringLiteral("SpeedStrings"))->click();
        QCOMPARE(lute->CurrentPage(), int(TVornFrame::StringChartPage));
        FrequencyRecord quarter;
        quarter.Compute(0.25, 440);
        for (const auto& course : chart.Courses)
            QCOMPARE(course->First.Rec.Frequency, quarter.NoteFrequency(course->First.Rec.Note));
        QVERIFY(chart.Courses.back()->First.Rec.Frequency != before);
    }

    void bridgeFollowsTheTensionUnit() {
        auto w = start();
        w->ViewStrings();
        w->Settings().SetTensionUnit(tt_newtons);
        w->Settings().NotifyChanged(sc_tension_unit);
        w->BridgeChanged();
        QVERIFY(w->PanelText(4).endsWith(QStringLiteral(" N.")));
        QVERIFY(!w->PanelText(4).contains(u','));
    }

    void saveFollowsTheActiveDocumentWhenIdle() {
        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QAction* save = action(*w, "ActSave");
        auto* button = w->findChild<QToolButton*>(QStringLiteral("SpeedSave"));
        QVERIFY(!save->isEnabled() && !button->isEnabled());
        // The frame's own button builds the rows; only the idle check notices.
        QPushButton* viewStrings =
            w->ActiveDocument()->findChild<QPushButton*>(QStringLiteral("ViewStringsButton"));
        QVERIFY(viewStrings);
        viewStrings->click();
        QTRY_VERIFY(save->isEnabled());
        QVERIFY(button->isEnabled());
        QVERIFY(action(*w, "ActPrint")->isEnabled()); // Print follows Save
        w->NewDocument();
        QTRY_VERIFY(!save->isEnabled());
        QVERIFY(!action(*w, "ActPrint")->isEnabled());
    }

    void exitWritesTheSettingsAndAStartReopens_data() {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QStringList>("reopened");
        // Three tabs: a lute with rows, a theorbo without, a guitar with rows (active).
        QTest::newRow("0 new file") << 0 << QStringList{QStringLiteral("new")};
        QTest::newRow("1 last viewed") << 1 << QStringList{QStringLiteral("guitar")};
        QTest::newRow("2 all opened")
            << 2 << QStringList{QStringLiteral("lute"), QStringLiteral("guitar")};
    }
    void exitWritesTheSettingsAndAStartReopens() {
        QFETCH(int, choice);
        QFETCH(QStringList, reopened);
        auto w = start();
        w->Settings().StartupChoice = uint8_t(choice);
        w->ViewStrings();
        w->NewDocument();
        auto pick = [&](const char* list, int index) {
            auto* box = w->ActiveDocument()->findChild<QComboBox*>(QString::fromLatin1(list));
            QVERIFY(box);
            box->setCurrentIndex(index);
        };
        pick("ComboInstType", FamilyOfType(13));
        w->NewDocument();
        pick("ComboInstType", FamilyOfType(15));
        pick("ComboTuning", PositionInFamily(15));
        w->ViewStrings();
        const QStringList guitarRows = rowTexts(w->ActiveDocument(), true);
        // The names the documents are kept under, without the marker of unsaved changes.
        auto name = [&](int index) {
            return caption(*w, index).remove(QRegularExpression("^\\*"));
        };
        const QMap<QString, QString> names{{QStringLiteral("new"), name(0)},
                                           {QStringLiteral("lute"), name(0)},
                                           {QStringLiteral("guitar"), name(2)}};
        QVERIFY(names[QStringLiteral("guitar")].startsWith(QStringLiteral("Renaissance Guitar")));
        // Documents that live only in the settings file come back as unsaved.
        for (QString& name : reopened)
            name = (name == QStringLiteral("new") ? QString() : QStringLiteral("*")) +
                   names.value(name);
        quit(w);
        QVERIFY(QFileInfo::exists(settingsPath()));

        auto again = start();
        QVERIFY(messages.isEmpty());
        QCOMPARE(again->Settings().StartupChoice, uint8_t(choice));
        QStringList captions;
        for (int i = 0; i < again->TabCount(); ++i)
            captions << caption(*again, i);
        QCOMPARE(captions, reopened);
        if (choice == 0) {
            QVERIFY(!again->ActiveDocument()->HasCourseRows());
        } else {
            QCOMPARE(again->ActiveDocument()->CurrentPage(), int(TVornFrame::StringChartPage));
            QCOMPARE(rowTexts(again->ActiveDocument(), true), guitarRows);
            QVERIFY(again->PanelText(5).startsWith(QStringLiteral("Pitch: A=")));
        }
    }

    void writingTheSettingsLeavesTheWindowAlone() {
        auto w = start();
        w->Settings().StartupChoice = 2;
        w->ViewStrings();
        w->NewDocument(); // never shown as a chart: not kept, but its tab stays
        w->NewDocument();
        w->ViewStrings();
        QVERIFY(w->WriteSettingsFile());
        QCOMPARE(w->TabCount(), 3);
        QVERIFY(!w->Document(1)->HasCourseRows());
        TGlobalData read;
        QCOMPARE(LoadSettingsFile(settingsPath().toStdString(), read).Documents.size(), size_t(2));
    }

    void onlyTheTabOnScreenBuildsItsChart() {
        TGlobalData settings;
        settings.StartupChoice = 2;
        TFileFrame a(settings), b(settings);
        for (TFileFrame* f : {&a, &b}) {
            f->NewFromDefaults();
            f->ViewStrings();
        }
        QVERIFY(writeSettings(SettingsFileBytes(settings, {&a, &b})));

        auto w = start();
        w->show();
        QCOMPARE(w->TabCount(), 2);
        QVERIFY(w->Document(0)->HasCourseRows() && w->Document(1)->HasCourseRows());
        QCOMPARE(w->Tabs()->currentIndex(), 1);
        QVERIFY(w->Document(1)->StringViewBuilt());
        QVERIFY(!w->Document(0)->StringViewBuilt());
        w->Tabs()->setCurrentIndex(0);
        QVERIFY(w->Document(0)->StringViewBuilt());
    }

    void reopeningStopsAtTheFirstBrokenDocument() {
        TGlobalData settings;
        settings.StartupChoice = 2;
        TFileFrame a(settings), b(settings);
        a.NewFromDefaults();
        a.ViewStrings();
        b.NewFromDefaults();
        b.ViewStrings();
        b.FileName = "second.vrd";
        std::string bytes = SettingsFileBytes(settings, {&a, &b});
        // Spoil the title of the second document, the last of the file's three titles.
        const std::string title("\x04V\0o\0r\0n\0", 9);
        const size_t first = bytes.find(title);
        const size_t last = bytes.rfind(title);
        QVERIFY(first != std::string::npos && bytes.find(title, first + 1) < last);
        bytes[last + 1] = 'W';
        QVERIFY(writeSettings(bytes));

        auto w = start();
        QCOMPARE(w->TabCount(), 1);
        QCOMPARE(w->ActiveDocument()->CurrentPage(), int(TVornFrame::StringChartPage));
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, QStringLiteral("Unable to load file"));
    }

    void foreignSettingsFileStartsWithDefaults() {
        QFile file(settingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is not a settings file at all");
        file.close();
        auto w = start();
        const QRect own = w->geometry();
        QCOMPARE(w->TabCount(), 1);
        QVERIFY(!w->ActiveDocument()->HasCourseRows());
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].caption, QStringLiteral("Oops!"));
        QCOMPARE(messages[0].text, QStringLiteral("Unable to load configuration file\n(The "
                                                  "damaged file was kept as vorn.vrn.damaged.)"));
        QCOMPARE(messages[0].icon, QMessageBox::Information);
        QCOMPARE(w->geometry(), own);
        // The foreign file is not lost when the exit writes the settings.
        quit(w);
        QFile kept(settingsPath() + QStringLiteral(".damaged"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("this is not a settings file at all"));
        QVERIFY(QFile::exists(settingsPath()));
    }

    void windowBoundsComeBackOnlyWhenSane_data() {
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<bool>("applied");
        QTest::newRow("on screen") << QRect(40, 30, 700, 500) << true;
        QTest::newRow("zero size") << QRect(40, 30, 0, 500) << false;
        QTest::newRow("negative size") << QRect(40, 30, 700, -20) << false;
        QTest::newRow("far off screen") << QRect(-30000, -30000, 700, 500) << false;
    }
    void windowBoundsComeBackOnlyWhenSane() {
        QFETCH(QRect, stored);
        QFETCH(bool, applied);
        TGlobalData settings;
        settings.WindowLeft = stored.left();
        settings.WindowTop = stored.top();
        settings.WindowWidth = stored.width();
        settings.WindowHeight = stored.height();
        QVERIFY(SaveSettingsFile(QFile::encodeName(settingsPath()).toStdString(), settings, {},
                                 nullptr));
        auto w = start();
        if (applied)
            QCOMPARE(w->geometry(), stored);
        else
            QVERIFY(w->width() > 100 && w->height() > 100 && w->geometry() != stored);
    }

    void exitStoresTheWindowBounds() {
        auto w = start();
        w->setGeometry(QRect(60, 50, 820, 610));
        quit(w);
        TGlobalData loaded;
        const SettingsLoad result =
            LoadSettingsFile(QFile::encodeName(settingsPath()).toStdString(), loaded);
        QVERIFY(result.Message.empty());
        QCOMPARE(
            QRect(loaded.WindowLeft, loaded.WindowTop, loaded.WindowWidth, loaded.WindowHeight),
            QRect(60, 50, 820, 610));
    }

    // What the settings file cannot hold goes to the preferences file beside it, through Qt's
    // writer, and comes back in the next window and in the calculator's reader alike.
    void preferencesFileKeepsWhatTheSettingsFileCannot() {
        const std::string oddName = "Fluoro, \u201cthin\u201d / 0.5";
        {
            auto w = start();
            TGlobalData& s = w->Settings();
            s.TensionProfileVisible = 1;
            s.Materials[0].BreakingIndex = 255.5f;
            s.Materials.AddMaterial(oddName, 1.78f, 200, 20, 1, 0.1f, 240);
            s.Materials.AddMaterial("@home", 1.3f, 200, 20, 1, 0.1f, 0);
            quit(w);
        }
        QVERIFY(QFile::exists(dir->filePath(QStringLiteral("vorn.ini"))));
        const Preferences read = LoadPreferencesFile(
            QFile::encodeName(dir->filePath(QStringLiteral("vorn.ini"))).toStdString());
        QVERIFY(read.TensionProfileVisible);
        QCOMPARE(read.BreakingIndexes.size(), size_t(10));
        QCOMPARE(read.BreakingIndexes[0].Index, 255.5);
        QCOMPARE(read.BreakingIndexes[8].Material, oddName);
        QCOMPARE(read.BreakingIndexes[8].Index, 240.0);
        QCOMPARE(read.BreakingIndexes[9].Material, std::string("@home"));

        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        auto again = start();
        const TGlobalData& s = again->Settings();
        QCOMPARE(s.TensionProfileVisible, uint8_t(1));
        QCOMPARE(s.Materials[0].BreakingIndex, 255.5f);
        QCOMPARE(s.Materials.MaterialByName(oddName).BreakingIndex, 240.0f);
        QCOMPARE(s.Materials.MaterialByName("@home").BreakingIndex, 0.0f);
    }

    // Losing the preferences file costs only the preferences.
    void missingOrBrokenPreferencesFileKeepsTheDefaults() {
        {
            auto w = start();
            w->Settings().Materials[0].BreakingIndex = 250;
            quit(w);
        }
        for (const QByteArray& content : {QByteArray(), QByteArray("\xff\x00[[=\n=\n", 9)}) {
            QFile::remove(dir->filePath(QStringLiteral("vorn.ini")));
            if (!content.isNull()) {
                QFile broken(dir->filePath(QStringLiteral("vorn.ini")));
                QVERIFY(broken.open(QIODevice::WriteOnly));
                broken.write(content);
            }
            messages.clear();
            auto w = start();
            QCOMPARE(w->Settings().Materials[0].BreakingIndex, 260.0f);
            QCOMPARE(w->Settings().TensionProfileVisible, uint8_t(0));
            QVERIFY(messages.isEmpty());
            QCOMPARE(w->TabCount(), 1);
        }
    }

    // Edits are never dropped without a word: a changed tab shows "*" and asks before it goes.
    void closingAChangedTabAsks_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false;
        QTest::newRow("discard") << int(QMessageBox::Discard) << true << false;
        QTest::newRow("save") << int(QMessageBox::Save) << true << true;
    }
    void closingAChangedTabAsks() {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        auto w = start();
        QStringList asked;
        w->Documents().AskSaveChanges = [&](const QString& text) {
            asked << text;
            return QMessageBox::StandardButton(answer);
        };
        const QString path = dir->filePath(QStringLiteral("kept.vrd"));
        w->Documents().AskSaveFileName = [&](const QString&, int&) { return path; };

        // Unchanged: nothing to ask.
        w->ViewStrings();
        w->IdleUpdate();
        QCOMPARE(caption(*w, 0), QStringLiteral("Alto Lute in G_10crs_sl64"));
        w->NewDocument();
        QVERIFY(w->CloseDocument());
        QVERIFY(asked.isEmpty());

        TVornFrame* lute = w->ActiveDocument();
        lute->Model().Chart.Course(0).EditTension(0, 3.9);
        w->IdleUpdate();
        QCOMPARE(caption(*w, 0), QStringLiteral("*Alto Lute in G_10crs_sl64"));
        w->NewDocument(); // so that closing the lute leaves a tab either way
        w->Tabs()->setCurrentIndex(0);
        QCOMPARE(w->CloseDocument(), closed);
        QCOMPARE(asked,
                 QStringList{QStringLiteral("Save the changes to \"Alto Lute in G_10crs_sl64\"?")});
        QCOMPARE(w->TabCount(), closed ? 1 : 2);
        QCOMPARE(QFileInfo::exists(path), saved);
        if (!closed)
            QCOMPARE(w->ActiveDocument(), lute);
    }

    void saveWritesToTheDocumentsOwnFile() {
        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->ViewStrings();
        int dialogs = 0;
        const QString first = dir->filePath(QStringLiteral("first.vrd"));
        const QString second = dir->filePath(QStringLiteral("second.vrd"));
        w->Documents().AskSaveFileName = [&](const QString&, int&) {
            return ++dialogs == 1 ? first : second;
        };
        QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(dialogs, 1);
        QCOMPARE(caption(*w, 0), QStringLiteral("first.vrd"));
        const qint64 size = QFileInfo(first).size();

        w->ActiveDocument()->Model().Chart.Course(0).EditTension(0, 3.9);
        w->ActiveDocument()->Model().Document.InstrumentName = "Laute mit langem Namen";
        w->IdleUpdate();
        QCOMPARE(caption(*w, 0), QStringLiteral("*first.vrd"));
        QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(dialogs, 1); // straight to its own file
        QVERIFY(QFileInfo(first).size() > size);
        QCOMPARE(caption(*w, 0), QStringLiteral("first.vrd"));

        QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(dialogs, 2);
        QVERIFY(QFileInfo::exists(second));
        QCOMPARE(caption(*w, 0), QStringLiteral("second.vrd"));
        QCOMPARE(w->ActiveDocument()->Model().FilePath, QFile::encodeName(second).toStdString());
    }

    void quittingAsksForWhatTheSettingsDoNotKeep() {
        auto w = start();
        QStringList asked;
        QMessageBox::StandardButton answer = QMessageBox::Cancel;
        w->Documents().AskSaveChanges = [&](const QString& text) {
            asked << text;
            return answer;
        };
        w->ViewStrings();
        w->ActiveDocument()->Model().Chart.Course(0).EditTension(0, 3.9);
        w->NewDocument();
        w->ViewStrings();
        w->ActiveDocument()->Model().Chart.Course(1).EditTension(0, 4.1);
        w->Tabs()->setCurrentIndex(0);
        // As started, only the active document is kept in the settings file.
        QVERIFY(!w->close());
        QCOMPARE(asked.size(), 1);
        QVERIFY(!QFileInfo::exists(settingsPath()));
        QCOMPARE(w->Tabs()->currentIndex(), 1);

        answer = QMessageBox::Discard;
        w->Tabs()->setCurrentIndex(0);
        QVERIFY(w->close());
        QCOMPARE(asked.size(), 2);
        TGlobalData loaded;
        const SettingsLoad kept =
            LoadSettingsFile(QFile::encodeName(settingsPath()).toStdString(), loaded);
        QCOMPARE(kept.Documents.size(), size_t(1)); // the one active when quitting
        QCOMPARE(kept.Documents[0]->Chart.Course(0).First.ShownTension(loaded), 3.9f);
    }

    void filesFromTheCommandLine() {
        auto w = start();
        w->ViewStrings();
        const QString a = dir->filePath(QStringLiteral("a.vrd"));
        const QString b = dir->filePath(QStringLiteral("b.vrd"));
        QVERIFY(w->SaveDocumentFile(a));
        QVERIFY(w->SaveDocumentFile(b));
        QFile broken(dir->filePath(QStringLiteral("broken.vrd")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a document");
        broken.close();
        w.reset();
        // The saves kept b.vrd for reopening; these starts begin with nothing to reopen.
        QVERIFY(QFile::remove(settingsPath()));

        w = start();
        QCOMPARE(w->OpenFiles({a, broken.fileName(), b}), 2);
        QCOMPARE(w->TabCount(), 2); // a and b in place of the new document of the start
        QCOMPARE(caption(*w, 0), QStringLiteral("a.vrd"));
        QCOMPARE(caption(*w, 1), QStringLiteral("b.vrd"));
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, QStringLiteral("Unable to load file"));
        QCOMPARE(messages[0].informative,
                 QFileInfo(broken).absoluteFilePath() +
                     QStringLiteral("\nIt is not a Vorn document, or it is damaged."));
        // Open again: the tab it has comes forward, by any spelling of its path.
        QCOMPARE(w->OpenFiles({dir->filePath(QStringLiteral("./a.vrd"))}), 1);
        QCOMPARE(w->TabCount(), 2);
        QCOMPARE(w->Tabs()->currentIndex(), 0);

        // A new document already worked on stays; so does one when no file could be read.
        w = start();
        w->ViewStrings();
        w->ActiveDocument()->Model().Chart.Course(0).EditTension(0, 3.9);
        QCOMPARE(w->OpenFiles({a}), 1);
        QCOMPARE(w->TabCount(), 2);
        w = start();
        QCOMPARE(w->OpenFiles({broken.fileName()}), 0);
        QCOMPARE(w->TabCount(), 1);
    }

    void quittingAsksForEveryChangedFile_data() {
        QTest::addColumn<int>("startupChoice");
        QTest::newRow("show new file") << 0;
        QTest::newRow("load last viewed file") << 1;
        QTest::newRow("load all opened files") << 2;
    }
    // A changed file the settings do not keep is asked about; one they keep comes back with
    // its unsaved edits, marked changed, and its file untouched.
    void quittingAsksForEveryChangedFile() {
        QFETCH(int, startupChoice);
        const bool kept = startupChoice != 0;
        auto w = start();
        w->Settings().StartupChoice = startupChoice;
        w->ViewStrings();
        const QString path = dir->filePath(QStringLiteral("lute.vrd"));
        QVERIFY(w->SaveDocumentFile(path));
        const QByteArray saved = [&] {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        w->ActiveDocument()->Model().Chart.Course(0).EditTension(0, 3.9);
        QStringList asked;
        QMessageBox::StandardButton answer = QMessageBox::Cancel;
        w->Documents().AskSaveChanges = [&](const QString& text) {
            asked << text;
            return answer;
        };
        QCOMPARE(w->close(), kept);
        QCOMPARE(asked, kept ? QStringList()
                             : QStringList{QStringLiteral("Save the changes to \"lute.vrd\"?")});
        answer = QMessageBox::Discard;
        QVERIFY(w->close());
        w.reset();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), saved);

        w = start();
        if (!kept) {
            QCOMPARE(caption(*w, 0), QStringLiteral("Alto Lute in G_10crs_sl64"));
            return;
        }
        QCOMPARE(caption(*w, 0), QStringLiteral("*lute.vrd"));
        QVERIFY(w->isWindowModified());
        QCOMPARE(w->ActiveDocument()->Model().FilePath, QFile::encodeName(path).toStdString());
        QCOMPARE(w->ActiveDocument()->Model().Chart.Course(0).First.ShownTension(w->Settings()),
                 3.9f);
        // Closing its tab asks, and Save writes the kept edits to the file.
        asked.clear();
        w->Documents().AskSaveChanges = [&](const QString& text) {
            asked << text;
            return QMessageBox::Save;
        };
        QVERIFY(w->CloseDocument());
        QCOMPARE(asked.size(), 1);
        TGlobalData loaded;
        auto onDisk = std::make_unique<TFileFrame>(loaded);
        QCOMPARE(vorn::OpenDocumentFile(*onDisk, QFile::encodeName(path).toStdString()).Result,
                 LoadResult::Loaded);
        QCOMPARE(onDisk->Chart.Course(0).First.ShownTension(loaded), 3.9f);
    }

    // A document that lives only in the settings file is unsaved: it comes back marked, and
    // its tab asks before it goes.
    void reopenedDocumentWithoutAFileIsUnsaved() {
        auto w = start();
        w->ViewStrings();
        w->ActiveDocument()->Model().Chart.Course(0).EditTension(0, 3.9);
        quit(w);
        w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->IdleUpdate();
        QCOMPARE(caption(*w, 0), QStringLiteral("*Alto Lute in G_10crs_sl64"));
        QVERIFY(w->isWindowModified());
        QStringList asked;
        w->Documents().AskSaveChanges = [&](const QString& text) {
            asked << text;
            return QMessageBox::Cancel;
        };
        QTest::keyClick(w.get(), Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(asked,
                 QStringList{QStringLiteral("Save the changes to \"Alto Lute in G_10crs_sl64\"?")});
        QCOMPARE(w->TabCount(), 1);
        QVERIFY(w->ActiveDocument()->HasCourseRows());
        // Kept again at the quit, without a question.
        QVERIFY(w->close());
        QCOMPARE(asked.size(), 1);
    }

    // Kept edits to a file another program changed since: the file shows, and the user is
    // asked; the file is the default answer and stays as the other program left it.
    void keptEditsToANewerFileAreAskedAbout_data() {
        QTest::addColumn<bool>("hooked");
        QTest::addColumn<bool>("keep");
        QTest::newRow("default answer") << false << false;
        QTest::newRow("keep the changes") << true << true;
    }
    void keptEditsToANewerFileAreAskedAbout() {
        QFETCH(bool, hooked);
        QFETCH(bool, keep);
        const QString path = dir->filePath(QStringLiteral("lute.vrd"));
        auto w = start();
        w->ViewStrings();
        QVERIFY(w->SaveDocumentFile(path));
        w->ActiveDocument()->Model().Chart.Course(0).EditTension(0, 3.9);
        const TInstDataType edited = w->ActiveDocument()->Model().Document;
        quit(w);

        TGlobalData otherSettings;
        TFileFrame theorbo(otherSettings);
        theorbo.ApplyTemplate(13);
        theorbo.ViewStrings();
        QVERIFY(SaveDocumentFile(theorbo, QFile::encodeName(path).toStdString()));
        const QByteArray newer = fileBytes(path);

        auto again = std::make_unique<TMainForm>(settingsPath());
        listen(*again);
        QStringList asked;
        BoxSeen seen;
        if (hooked)
            again->Documents().AskKeepEdits = [&](const QString& text) {
                asked << text;
                return keep;
            };
        else
            answerBox(QStringLiteral("NewerFileQuestion"), Qt::Key_Return, seen);
        // Until the answer the tab holds the file.
        QCOMPARE(again->ActiveDocument()->Model().Document, theorbo.Document);
        QTRY_VERIFY(!again->Documents().Settling());
        const QString question =
            QStringLiteral("\"lute.vrd\" was changed by another program since Vorn last saw it.");
        if (hooked) {
            QCOMPARE(asked, QStringList{question});
        } else {
            QVERIFY(seen.answered);
            QCOMPARE(seen.text, question);
            QCOMPARE(seen.defaultButton, QStringLiteral("Open the File"));
            QVERIFY(seen.informative.contains(path));
        }
        again->IdleUpdate();
        QCOMPARE(again->TabCount(), 1);
        QCOMPARE(caption(*again, 0),
                 keep ? QStringLiteral("*lute.vrd") : QStringLiteral("lute.vrd"));
        QCOMPARE(again->ActiveDocument()->Model().Document, keep ? edited : theorbo.Document);
        QCOMPARE(again->isWindowModified(), keep);
        quit(again);
        QCOMPARE(fileBytes(path), newer);
    }

    // One damaged document in the reopen list: the others open, and the message names it.
    void reopenListSurvivesADamagedDocument() {
        TGlobalData settings;
        settings.StartupChoice = 2;
        TFileFrame lute(settings), theorbo(settings);
        lute.NewFromDefaults();
        lute.ViewStrings();
        theorbo.ApplyTemplate(13);
        theorbo.ViewStrings();
        const QString lutePath = dir->filePath(QStringLiteral("lute.vrd"));
        QVERIFY(SaveDocumentFile(lute, QFile::encodeName(lutePath).toStdString()));
        std::string bytes = SettingsFileBytes(settings, {&lute, &theorbo});
        // A byte of the first document's header: the file's second title is its body's.
        const std::string title("\x04V\0o\0r\0n\0", 9);
        bytes[bytes.find(title, bytes.find(title) + 1) + 30] ^= 0x5a;
        QVERIFY(writeSettings(bytes));

        auto w = start();
        QCOMPARE(w->TabCount(), 1);
        QCOMPARE(w->ActiveDocument()->Model().Document, theorbo.Document);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].caption, QStringLiteral("Oops!"));
        QCOMPARE(messages[0].text, QStringLiteral("Unable to load file"));
        QCOMPARE(messages[0].informative,
                 lutePath + QStringLiteral("\nIts copy in the settings file is damaged.\n\n(The "
                                           "settings file was kept as vorn.vrn.damaged.)"));
        quit(w);
        QCOMPARE(fileBytes(settingsPath() + QStringLiteral(".damaged")),
                 QByteArray::fromStdString(bytes));
        TGlobalData read;
        QCOMPARE(LoadSettingsFile(QFile::encodeName(settingsPath()).toStdString(), read)
                     .Documents.size(),
                 size_t(1));
    }

    // Save replaces a file another program changed since only when told to; Cancel is the
    // default answer.
    void saveAsksBeforeReplacingAnotherProgramsChange_data() {
        QTest::addColumn<bool>("hooked");
        QTest::newRow("default answer") << false;
        QTest::newRow("replace") << true;
    }
    void saveAsksBeforeReplacingAnotherProgramsChange() {
        QFETCH(bool, hooked);
        const QString path = dir->filePath(QStringLiteral("lute.vrd"));
        auto w = start();
        w->ViewStrings();
        QVERIFY(w->SaveDocumentFile(path));
        w->ActiveDocument()->Model().Chart.Course(0).EditTension(0, 3.9);
        TGlobalData otherSettings;
        TFileFrame theorbo(otherSettings);
        theorbo.ApplyTemplate(13);
        theorbo.ViewStrings();
        QVERIFY(SaveDocumentFile(theorbo, QFile::encodeName(path).toStdString()));
        const QByteArray newer = fileBytes(path);

        QStringList asked;
        BoxSeen seen;
        if (hooked)
            w->Documents().AskOverwriteChanged = [&](const QString& text) {
                asked << text;
                return QMessageBox::Save;
            };
        else
            answerBox(QStringLiteral("OverwriteQuestion"), Qt::Key_Return, seen);
        QCOMPARE(w->SaveDocument(), hooked);
        const QString question = QStringLiteral(
            "\"lute.vrd\" was changed by another program since Vorn last opened or saved it.");
        if (hooked) {
            QCOMPARE(asked, QStringList{question});
            QCOMPARE(fileBytes(path), QByteArray::fromStdString(w->ActiveDocument()->SaveToData()));
            // Written here now: the next save asks nothing.
            w->ActiveDocument()->Model().Chart.Course(0).EditTension(0, 4.0);
            QVERIFY(w->SaveDocument());
            QCOMPARE(asked.size(), 1);
        } else {
            QVERIFY(seen.answered);
            QCOMPARE(seen.text, question);
            QCOMPARE(seen.defaultButton, QStringLiteral("Cancel"));
            QCOMPARE(fileBytes(path), newer);
            QVERIFY(w->ActiveDocument()->Changed());
        }
    }

    // No two tabs hold one file: Save As onto the file of another tab is refused while that
    // tab has changes, and otherwise closes it once the user agrees, also through a link.
    void saveAsOntoAFileOpenInAnotherTab_data() {
        QTest::addColumn<bool>("otherChanged");
        QTest::addColumn<bool>("agree");
        QTest::addColumn<bool>("viaLink");
        QTest::newRow("other tab changed") << true << true << false;
        QTest::newRow("declined") << false << false << false;
        QTest::newRow("agreed") << false << true << false;
        QTest::newRow("agreed through a link") << false << true << true;
        QTest::newRow("changed, through a link") << true << true << true;
    }
    void saveAsOntoAFileOpenInAnotherTab() {
        QFETCH(bool, otherChanged);
        QFETCH(bool, agree);
        QFETCH(bool, viaLink);
        const QString path = dir->filePath(QStringLiteral("lute.vrd"));
        const QString link = dir->filePath(QStringLiteral("link.vrd"));
        QVERIFY(QFile::link(path, link));
        auto w = start();
        w->ViewStrings();
        QVERIFY(w->SaveDocumentFile(path));
        TVornFrame* first = w->ActiveDocument();
        if (otherChanged)
            first->Model().Chart.Course(0).EditTension(0, 3.9);
        const QByteArray before = fileBytes(path);
        w->NewDocument();
        w->ViewStrings();
        TVornFrame* second = w->ActiveDocument();
        second->Model().Chart.Course(0).EditTension(0, 4.4);

        const QString target = viaLink ? link : path;
        QStringList asked;
        w->Documents().AskCloseOtherTab = [&](const QString& text) {
            asked << text;
            return agree;
        };
        w->Documents().AskSaveFileName = [&](const QString&, int&) { return target; };
        const bool saves = !otherChanged && agree;
        QCOMPARE(w->SaveDocumentAs(), saves);
        if (otherChanged) {
            QVERIFY(asked.isEmpty());
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages[0].text.contains(
                         QStringLiteral("is open in another tab with unsaved changes")),
                     qPrintable(messages[0].text));
        } else {
            QCOMPARE(asked, QStringList{QStringLiteral("\"%1\" is open in another tab. Save "
                                                       "over it and close that tab?")
                                            .arg(QFileInfo(target).fileName())});
        }
        QCOMPARE(w->TabCount(), saves ? 1 : 2);
        QCOMPARE(w->ActiveDocument(), second);
        QCOMPARE(fileBytes(path), saves ? QByteArray::fromStdString(second->SaveToData()) : before);
        // Whatever the answer, each file has one tab.
        QSet<QString> files;
        for (int i = 0; i < w->TabCount(); ++i) {
            const std::string& own = w->Document(i)->Model().FilePath;
            if (own.empty())
                continue;
            const QString canonical = QFileInfo(QFile::decodeName(own.c_str())).canonicalFilePath();
            QVERIFY2(!files.contains(canonical), qPrintable(canonical));
            files.insert(canonical);
        }
    }

    // An import keeps its old file: the first save asks for a new file beside it, and a
    // choice of the old file's name is asked about as any existing file is.
    void anImportIsSavedAsANewFile_data() {
        QTest::addColumn<QString>("chosen"); // empty: the proposal
        QTest::newRow("the proposal") << QString();
        QTest::newRow("the old name, declined") << QStringLiteral("lute");
    }
    void anImportIsSavedAsANewFile() {
        QFETCH(QString, chosen);
        const QString old = dir->filePath(QStringLiteral("lute.vrd"));
        testing::OldBody lute;
        lute.Strings.assign(7, testing::OldString{60, 3.2});
        {
            QFile file(old);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray::fromStdString(testing::OldFileBytes(lute)));
        }
        const QByteArray oldBytes = fileBytes(old);
        auto w = start();
        QVERIFY(w->OpenDocumentFile(old));
        QCOMPARE(caption(*w, w->Tabs()->currentIndex()), QStringLiteral("lute (converted).vrd"));
        QVERIFY(!w->Documents().TabOfFile(old));
        // Opened again, the import's tab is shown.
        const int tabs = w->TabCount();
        w->NewDocument();
        QVERIFY(w->OpenDocumentFile(old));
        QCOMPARE(w->TabCount(), tabs + 1);
        QCOMPARE(caption(*w, w->Tabs()->currentIndex()), QStringLiteral("lute (converted).vrd"));

        QStringList proposed, overwrite;
        w->Documents().AskSaveFileName = [&](const QString& path, int&) {
            proposed << path;
            if (proposed.size() > 1)
                return QString();
            return chosen.isEmpty() ? path : dir->filePath(chosen);
        };
        w->Documents().AskOverwrite = [&](const QString& path) {
            overwrite << path;
            return false;
        };
        const QString converted = dir->filePath(QStringLiteral("lute (converted).vrd"));
        QCOMPARE(w->SaveDocument(), chosen.isEmpty());
        QCOMPARE(proposed.value(0), converted);
        QCOMPARE(fileBytes(old), oldBytes);
        if (chosen.isEmpty()) {
            QCOMPARE(overwrite, QStringList());
            QCOMPARE(w->ActiveDocument()->Model().FilePath,
                     QFile::encodeName(converted).toStdString());
            QCOMPARE(caption(*w, w->Tabs()->currentIndex()),
                     QStringLiteral("lute (converted).vrd"));
            // Its own file now: the next save asks nothing.
            QVERIFY(w->SaveDocument());
            QCOMPARE(proposed.size(), 1);
        } else {
            QCOMPARE(overwrite, QStringList{old});
            QVERIFY(w->ActiveDocument()->Model().FilePath.empty());
        }
    }

    // A file whose mode says read-only is replaced only when the user says so, whoever runs
    // the test: the folder would let even a plain user replace it.
    void saveAsksBeforeReplacingAReadOnlyFile_data() {
        QTest::addColumn<int>("answer"); // 0 the box's default, 1 no, 2 yes
        QTest::newRow("default answer") << 0;
        QTest::newRow("no") << 1;
        QTest::newRow("yes") << 2;
    }
    void saveAsksBeforeReplacingAReadOnlyFile() {
        QFETCH(int, answer);
        const QString path = dir->filePath(QStringLiteral("lute.vrd"));
        auto w = start();
        w->ViewStrings();
        QVERIFY(w->SaveDocumentFile(path));
        const QFile::Permissions readOnly =
            QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
        QVERIFY(QFile::setPermissions(path, readOnly));
        const QByteArray before = fileBytes(path);
        w->ActiveDocument()->Model().Chart.Course(0).EditTension(0, 3.9);

        QStringList asked;
        BoxSeen seen;
        if (answer == 0)
            answerBox(QStringLiteral("ReadOnlyQuestion"), Qt::Key_Return, seen);
        else
            w->Documents().AskReplaceReadOnly = [&](const QString& text) {
                asked << text;
                return answer == 2;
            };
        QCOMPARE(w->SaveDocument(), answer == 2);
        const QString question = QStringLiteral("\"lute.vrd\" is read-only. Replace it anyway?");
        if (answer == 0) {
            QVERIFY(seen.answered);
            QCOMPARE(seen.text, question);
            QCOMPARE(seen.defaultButton, QStringLiteral("&No"));
        } else {
            QCOMPARE(asked, QStringList{question});
        }
        QVERIFY(messages.isEmpty());
        if (answer == 2) {
            QCOMPARE(fileBytes(path), QByteArray::fromStdString(w->ActiveDocument()->SaveToData()));
            QVERIFY(!w->ActiveDocument()->Changed());
        } else {
            QCOMPARE(fileBytes(path), before);
            QVERIFY(w->ActiveDocument()->Changed());
        }
        // The mode bits; the "User" ones say what this process may do, and root may.
        const QFile::Permissions user = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
        QCOMPARE(QFile::permissions(path) & ~user, readOnly & ~user);
    }

    // The session is written a moment after each change, not only at the quit: a run that
    // ends without one (a crash) keeps the kept document, the tension unit and the view
    // choices. Nothing is written when nothing changed.
    void sessionIsWrittenWhileWorking() {
        const std::string path = QFile::encodeName(settingsPath()).toStdString();
        auto w = start();
        w->ViewStrings();
        w->ActiveDocument()->Model().Chart.Course(0).EditTension(0, 3.9);
        w->Settings().SetTensionUnit(tt_pounds);
        w->Settings().NotifyChanged(sc_tension_unit);
        w->Settings().ShowAlternativeFrets = 1;
        w->Settings().TensionProfileVisible = 1;
        w->IdleUpdate();
        const float edited =
            w->ActiveDocument()->Model().Chart.Course(0).First.ShownTension(w->Settings());
        QVERIFY(qAbs(edited - 3.9f * 2.2046f) < 0.01f); // kg into lb
        const auto written = [&] {
            TGlobalData read;
            const SettingsLoad kept = LoadSettingsFile(path, read);
            return kept.Documents.size() == 1 &&
                   kept.Documents[0]->Chart.Course(0).First.ShownTension(read) == edited &&
                   read.TensionUnit == tt_pounds && read.ShowAlternativeFrets == 1;
        };
        QTRY_VERIFY_WITH_TIMEOUT(written(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(ReadPreferencesIni(w->PreferencesPath()).TensionProfileVisible,
                                 5000);

        // A change that leaves the bytes as they are writes nothing.
        const QDateTime before = QFileInfo(settingsPath()).lastModified();
        emit w->Documents().documentsChanged();
        QTest::qWait(2 * TSessionKeeper::SessionDelay);
        QCOMPARE(QFileInfo(settingsPath()).lastModified(), before);

        w.reset(); // no quit: what was written stays
        w = start();
        QCOMPARE(w->Settings().TensionUnit, tt_pounds);
        QCOMPARE(w->Settings().ShowAlternativeFrets, uint8_t(1));
        QCOMPARE(w->TabCount(), 1);
        QCOMPARE(w->ActiveDocument()->Model().Chart.Course(0).First.ShownTension(w->Settings()),
                 edited);
        QVERIFY(w->ActiveDocument()->Changed());
    }

    // Changes answered Discard at quit never come back, even when the settings file cannot be
    // written and the recovery copies stay for the next start, and whether or not their file
    // is still there.
    void discardedChangesNeverComeBack_data() {
        QTest::addColumn<bool>("fileGone");
        QTest::addColumn<bool>("oneKept");
        QTest::newRow("its file there") << false << false;
        QTest::newRow("its file gone") << true << false;
        QTest::newRow("its file gone, another kept, Quit Anyway") << true << true;
    }
    void discardedChangesNeverComeBack() {
        QFETCH(bool, fileGone);
        QFETCH(bool, oneKept);
        // A settings file that cannot be written: the exit keeps the recovery copies.
        QVERIFY(QDir().mkpath(settingsPath()));
        auto w = start();
        const QString root = dir->filePath(QStringLiteral("recovery"));
        TRecoveryKeeper* keeper = w->Documents().KeepRecovery(root);
        w->Settings().StartupChoice = oneKept ? 1 : 0;
        w->ViewStrings();
        const QString discarded = dir->filePath(QStringLiteral("discarded.vrd"));
        QVERIFY(w->SaveDocumentFile(discarded));
        TVornFrame* dropped = w->ActiveDocument();
        dropped->Model().Chart.Course(0).EditTension(0, 3.9);
        TVornFrame* kept = nullptr;
        if (oneKept) {
            kept = w->NewDocument();
            w->ViewStrings();
            kept->Model().Chart.Course(0).EditTension(0, 4.1);
        }
        keeper->Sweep();
        const QString droppedCopy = keeper->CopyOf(dropped);
        QVERIFY(!droppedCopy.isEmpty());
        const QString keptCopy = kept ? keeper->CopyOf(kept) : QString();
        QCOMPARE(keptCopy.isEmpty(), !kept);
        if (fileGone)
            QVERIFY(QFile::remove(discarded));

        QStringList asked;
        w->Documents().AskSaveChanges = [&](const QString& text) {
            asked << text;
            return QMessageBox::Discard;
        };
        // The kept document cannot be kept: quit anyway, its copy staying.
        auto* quitAnyway = new QTimer(w.get());
        connect(quitAnyway, &QTimer::timeout, quitAnyway, [quitAnyway] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            for (QAbstractButton* button : box ? box->buttons() : QList<QAbstractButton*>())
                if (button->text() == QStringLiteral("Quit Anyway")) {
                    quitAnyway->stop();
                    button->click();
                }
        });
        quitAnyway->start(20);
        QVERIFY(w->close());
        QCOMPARE(asked, QStringList{QStringLiteral("Save the changes to \"discarded.vrd\"?")});
        QVERIFY(!QFileInfo::exists(droppedCopy));
        if (kept)
            QVERIFY(QFileInfo::exists(keptCopy));
        QCOMPARE(QFileInfo::exists(discarded), !fileGone);
    }

    // The exit's questions bring each asked tab forward; a session written meanwhile would
    // keep that tab, with the changes about to be discarded, in place of the active one.
    void exitQuestionsWriteNoSession() {
        auto w = start();
        w->Settings().StartupChoice = 1;
        w->ViewStrings();
        w->ActiveDocument()->Model().Chart.Course(0).EditTension(0, 4.25);
        TVornFrame* active = w->NewDocument();
        w->ViewStrings();
        active->Model().Chart.Course(0).EditTension(0, 3.9);
        QFile::remove(settingsPath());
        QByteArray whileAsked;
        w->Documents().AskSaveChanges = [&](const QString&) {
            // The user takes a while to answer.
            QTest::qWait(2 * TSessionKeeper::SessionDelay);
            whileAsked = fileBytes(settingsPath());
            return QMessageBox::Discard;
        };
        QVERIFY(w->close());
        QVERIFY(whileAsked.isEmpty());
        TGlobalData read;
        const SettingsLoad reopened =
            LoadSettingsFile(QFile::encodeName(settingsPath()).toStdString(), read);
        QCOMPARE(reopened.Documents.size(), size_t(1));
        QCOMPARE(reopened.Documents[0]->Chart.Course(0).First.ShownTension(read), 3.9f);
    }

    // The settings file's list names a document by 255 bytes at most; its whole path comes
    // back all the same, and Save As starts in its folder.
    void longPathComesBackWhole() {
        QString folder = dir->filePath(QStringLiteral("Lauten-\u00fc"));
        while (QFile::encodeName(folder).size() < 300)
            folder += QStringLiteral("/a-folder-of-instruments-for-the-long-path-test");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/lute.vrd");
        QVERIFY(QFile::encodeName(path).size() > 255);

        auto w = start();
        w->Settings().StartupChoice = 1;
        w->ViewStrings();
        QVERIFY(w->SaveDocumentFile(path));
        w->ActiveDocument()->Model().Chart.Course(0).EditTension(0, 3.9);
        quit(w);

        w = start();
        QCOMPARE(w->TabCount(), 1);
        QCOMPARE(QFile::decodeName(w->ActiveDocument()->Model().FilePath.c_str()), path);
        QCOMPARE(w->ActiveDocument()->Model().Chart.Course(0).First.ShownTension(w->Settings()),
                 3.9f);
        QCOMPARE(w->windowFilePath(), path);
        QString proposed;
        w->Documents().AskSaveFileName = [&](const QString& p, int&) {
            proposed = p;
            return QString();
        };
        w->Settings().LastFolder = dir->path().toStdString(); // not where the file is
        QVERIFY(!w->Documents().SaveDocumentAs());
        QCOMPARE(proposed, path);
    }

    void titleShowsTheActiveDocument() {
        auto w = start();
        QCOMPARE(w->windowFilePath(), QStringLiteral("Alto Lute in G_10crs_sl64"));
        QVERIFY(w->windowTitle().startsWith(QStringLiteral("Alto Lute in G_10crs_sl64")));
        QVERIFY(!w->isWindowModified());
        w->ViewStrings();
        w->ActiveDocument()->Model().Chart.Course(0).EditTension(0, 3.9);
        w->IdleUpdate();
        QVERIFY(w->isWindowModified());
        const QString path = dir->filePath(QStringLiteral("title.vrd"));
        QVERIFY(w->SaveDocumentFile(path));
        QCOMPARE(w->windowFilePath(), path);
        QVERIFY(!w->isWindowModified());
        w->NewDocument();
        QCOMPARE(w->windowFilePath(), QStringLiteral("Alto Lute in G_10crs_sl64"));
        w->Tabs()->setCurrentIndex(0);
        QCOMPARE(w->windowFilePath(), path);
    }

    void windowOpensWithinTheScreen() {
        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const QRect area = w->screen()->availableGeometry();
        const int titleBar = w->style()->pixelMetric(QStyle::PM_TitleBarHeight);
        QVERIFY2(w->width() <= area.width() && w->height() + titleBar <= area.height(),
                 qPrintable(QStringLiteral("%1x%2 on %3x%4")
                                .arg(w->width())
                                .arg(w->height())
                                .arg(area.width())
                                .arg(area.height())));
    }

    void keysOpenThePopupMenu_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
        QTest::newRow("Menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier);
    }
    void keysOpenThePopupMenu() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        w->ViewStrings();
        QCoreApplication::processEvents();
        QWidget* cell = shownControl(*w, QStringLiteral("Gut diameter"));
        QVERIFY(cell);
        cell->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), cell);
        QTest::keyClick(cell, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTRY_VERIFY(w->PopupTabs()->isVisible());
        // Over the document, where the keys were pressed.
        const QRect document(w->ActiveDocument()->mapToGlobal(QPoint(0, 0)),
                             w->ActiveDocument()->size());
        QVERIFY(document.contains(w->PopupTabs()->pos()));
        w->PopupTabs()->hide();
    }

    void rightClickOnTheStringChartOpensThePopupMenu() {
        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->ViewStrings();
        QCoreApplication::processEvents();
        TStrFrameView* chart = w->ActiveDocument()->StringView();
        QWidget* number = chart->Row(0)->NumberCell();
        const QPoint pos(2, 2);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, number->mapToGlobal(pos));
        QCoreApplication::sendEvent(number, &event);
        QTRY_VERIFY(w->PopupTabs()->isVisible());
        w->PopupTabs()->hide();
    }

    void escapeClosesTheProgramsWindows_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("help") << QStringLiteral("help");
        QTest::newRow("print") << QStringLiteral("print");
        QTest::newRow("volume") << QStringLiteral("volume");
    }
    void escapeClosesTheProgramsWindows() {
        QFETCH(QString, window);
        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QWidget* shown = nullptr;
        if (window == QStringLiteral("help")) {
            w->ShowHelpContext(10);
            shown = w->HelpViewer();
        } else if (window == QStringLiteral("print")) {
            w->ViewStrings();
            w->PrintDocument();
            shown = w->PrintWindow();
        } else {
            w->findChild<QToolButton*>(QStringLiteral("SpeedVolume"))->click();
            shown = w->VolumeWindow();
        }
        QVERIFY(shown->isVisible());
        shown->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), shown);
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && shown->isAncestorOf(focus) ? focus : shown, Qt::Key_Escape);
        QTRY_VERIFY(!shown->isVisible());
        QVERIFY(w->isVisible());
        QVERIFY(!action(*w, "ActVolume")->isChecked());
    }

    void ctrlWInTheHelpWindowClosesOnlyTheHelp() {
        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        w->NewDocument();
        THelpViewer* help = w->HelpViewer();
        w->ShowHelpContext(10);
        QTRY_COMPARE(QApplication::activeWindow(), help);
        help->Browser()->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), help->Browser());
        QTest::keyClick(help->Browser(), Qt::Key_W, Qt::ControlModifier);
        QTRY_VERIFY(!help->isVisible());
        QCOMPARE(w->TabCount(), 2);
    }

    void helpAfterTheViewButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("context");
        QTest::newRow("Frets") << QStringLiteral("SpeedFrets") << 30;
        QTest::newRow("Strings") << QStringLiteral("SpeedStrings") << 60;
    }
    void helpAfterTheViewButtons() {
        QFETCH(QString, button);
        QFETCH(int, context);
        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::mouseClick(w->findChild<QToolButton*>(button), Qt::LeftButton);
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : w.get(), Qt::Key_F1);
        QTRY_VERIFY(w->HelpViewer()->isVisible());
        QCOMPARE(w->HelpViewer()->CurrentContext(), context);
    }

    void controlsAreNamedForScreenReaders_data() {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("name");
        QTest::newRow("top length") << "EditStringLength"
                                    << "Top String Length";
        QTest::newRow("second length") << "EditSecondStLength"
                                       << "Second String Length";
        QTest::newRow("from course") << "EditFromCourse"
                                     << "From Course";
        QTest::newRow("a pitch") << "EditAPitch"
                                 << "A-pitch";
        QTest::newRow("side bar toggle") << "Sidebarsize"
                                         << "Wide side bar with captions";
    }
    void controlsAreNamedForScreenReaders() {
        QFETCH(QString, object);
        QFETCH(QString, name);
        auto w = start();
        auto* control = w->findChild<QWidget*>(object);
        QVERIFY(control);
        QCOMPARE(control->accessibleName(), name);
    }

    void cellsNameWhatTheyShow() {
        auto w = start();
        w->ViewStrings();
        TStrFrameView* chart = w->ActiveDocument()->StringView();
        for (int row : {0, 3})
            QCOMPARE(chart->Row(row)->NumberCell()->accessibleName(),
                     QStringLiteral("Course number %1").arg(row + 1));
        w->ViewFrets();
        w->ActiveDocument()->ShowPlacement();
        TNotePanel* open = w->ActiveDocument()->PlacementView()->Cell(1, 0);
        QVERIFY(!open->accessibleDescription().isEmpty());
        QCOMPARE(open->accessibleName(),
                 QStringLiteral("Course 1 open: ") + open->accessibleDescription());
    }

    void restoredBoundsStayOnTheScreen_data() {
        QTest::addColumn<QRect>("stored");
        QTest::newRow("saved without a window manager") << QRect(0, 0, 600, 400);
        QTest::newRow("above the screen") << QRect(100, -20, 600, 400);
        QTest::newRow("past the right edge") << QRect(700, 100, 600, 400);
        QTest::newRow("larger than the screen") << QRect(10, 40, 9000, 9000);
    }
    void restoredBoundsStayOnTheScreen() {
        QFETCH(QRect, stored);
        auto w = start();
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect placed = w->PlacedBounds(stored);
        QVERIFY2(area.contains(placed), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                       .arg(placed.x())
                                                       .arg(placed.y())
                                                       .arg(placed.width())
                                                       .arg(placed.height())));
        // Room above for the title bar the window manager adds.
        QVERIFY(placed.top() >= area.top() + w->style()->pixelMetric(QStyle::PM_TitleBarHeight));
        QVERIFY(placed.width() == qMin(stored.width(), area.width()));
    }

    void messageBoxesFitTheirTitle() {
        // The window manager shows the program's name after the box's own title.
        QGuiApplication::setApplicationDisplayName(QStringLiteral("Vorn"));
        TFittedMessageBox box(QMessageBox::Information, QStringLiteral("Oops!"),
                              QStringLiteral("Unable to load file"), QMessageBox::Ok);
        box.show();
        QVERIFY(box.TitleWidth() >
                QFontMetrics(box.font()).horizontalAdvance(QStringLiteral("Oops! \u2014 Vorn")));
        QVERIFY(box.width() >= box.TitleWidth());
        QGuiApplication::setApplicationDisplayName(QString());
    }

    void settingsWriteFailureIsReported() {
        // Told once, at start, while the session's changes can still be saved elsewhere.
        auto w = start(dir->filePath(QStringLiteral("missing/folder/vorn.vrn")));
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].text.startsWith(QStringLiteral("Unable to save configuration file")));
        QVERIFY(messages[0].text.contains(QStringLiteral("will not be kept")));
        QVERIFY(w->close());
        QCOMPARE(messages.size(), 1);
        QVERIFY(!w->isVisible());
    }

    void ctrlQQuitsAsClosingDoes() {
        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QTest::keyClick(w.get(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!w->isVisible());
        QVERIFY(QFileInfo::exists(settingsPath()));
    }

    void sidebarSizes_data() {
        QTest::addColumn<bool>("wide");
        QTest::addColumn<int>("barWidth");
        QTest::addColumn<int>("buttonWidth");
        QTest::newRow("narrow") << false << 48 << 23;
        QTest::newRow("wide") << true << 88 << 65;
    }
    void sidebarSizes() {
        QFETCH(bool, wide);
        QFETCH(int, barWidth);
        QFETCH(int, buttonWidth);
        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        auto* toggle = w->findChild<QToolButton*>(QStringLiteral("Sidebarsize"));
        QVERIFY(toggle);
        if (wide)
            toggle->click();
        QCOMPARE(w->SidebarWide(), wide);
        QCOMPARE(w->SideBar()->width(), barWidth);
        for (const char* name : {"SpeedOpen", "SpeedNew", "SpeedClose", "SpeedSave", "SpeedPrint",
                                 "SpeedOptions", "SpeedHelp", "SpeedAbout"}) {
            auto* button = w->findChild<QToolButton*>(QString::fromLatin1(name));
            QVERIFY(button);
            QCOMPARE(button->width(), buttonWidth);
            QCOMPARE(button->toolButtonStyle() == Qt::ToolButtonIconOnly, !wide);
        }
        auto* strings = w->findChild<QToolButton*>(QStringLiteral("SpeedStrings"));
        QCOMPARE(strings->height(), 45);
        QCOMPARE(strings->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    }

    void wideSidebarSurvivesARestart() {
        auto w = start();
        w->findChild<QToolButton*>(QStringLiteral("Sidebarsize"))->click();
        QVERIFY(w->SidebarWide());
        quit(w);
        auto again = start();
        QVERIFY(again->SidebarWide());
        QVERIFY(again->findChild<QToolButton*>(QStringLiteral("Sidebarsize"))->isChecked());
        again->findChild<QToolButton*>(QStringLiteral("Sidebarsize"))->click();
        quit(again);
        QVERIFY(!start()->SidebarWide());
    }

    void sideBarHints() {
        auto w = start();
        const QList<QPair<const char*, const char*>> hints{{"SpeedStrings", "Show String Chart"},
                                                           {"SpeedFrets", "Show Fret Chart"},
                                                           {"SpeedOpen", "Open File"},
                                                           {"SpeedNew", "New File"},
                                                           {"SpeedClose", "Close File"},
                                                           {"SpeedSave", "Save File"},
                                                           {"SpeedPrint", "Print File"},
                                                           {"SpeedOptions", "Program Options"},
                                                           {"SpeedHelp", "Help"},
                                                           {"SpeedAbout", "Apout this program"}};
        for (const auto& [name, hint] : hints) {
            auto* button = w->findChild<QToolButton*>(QString::fromLatin1(name));
            QVERIFY2(button, name);
            QCOMPARE(button->toolTip(), QString::fromLatin1(hint));
        }
        QVERIFY(w->findChild<QToolButton*>(QStringLiteral("SpeedFrets"))->isEnabled());
        QVERIFY(w->findChild<QToolButton*>(QStringLiteral("SpeedOptions"))->isEnabled());
        // A hint shows over the sound panels and goes again, leaving them as they were.
        QStatusTipEvent tip(QStringLiteral("Open File"));
        QCoreApplication::sendEvent(w.get(), &tip);
        QCOMPARE(w->StatusPanels()->Hint(), QStringLiteral("Open File"));
        QStatusTipEvent none{QString()};
        QCoreApplication::sendEvent(w.get(), &none);
        QVERIFY(w->StatusPanels()->Hint().isEmpty());
        QCOMPARE(w->PanelText(0), QStringLiteral("Play: "));
    }

    void popupMenu() {
        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QMenu* menu = w->PopupTabs();
        QStringList texts;
        for (QAction* a : menu->actions())
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(texts,
                 (QStringList{"Undo", "Redo", "-", "New", "Open", "Open &Recent", "Print", "Save",
                              "Save As...", "-", "Options", "&Globals", "Help", "About..."}));
        QStringList globals;
        for (QAction* a : menu->findChild<QMenu*>(QStringLiteral("MenuGlobals"))->actions())
            globals << a->text();
        QCOMPARE(globals, (QStringList{"Courses", "Course Types", "Tuning - Pitch", "String Length",
                                       "Tension", "Gut Strings", "Alternative Strings"}));

        // A right click on a tab opens it, for that tab: Save must not save another document.
        w->NewDocument();
        QCOMPARE(w->Tabs()->currentIndex(), 1);
        TPageExtTabBar* bar = w->Tabs()->ExtTabBar();
        QTest::mouseClick(bar, Qt::RightButton, {}, bar->tabRect(0).topLeft() + QPoint(8, 8));
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(w->Tabs()->currentIndex(), 0);
        menu->hide();

        // So does a context click outside the tabs; inside them there is none.
        auto contextClick = [&](QWidget* target) {
            const QPoint pos(5, 5);
            QContextMenuEvent event(QContextMenuEvent::Mouse, pos, target->mapToGlobal(pos));
            QCoreApplication::sendEvent(target, &event);
        };
        contextClick(w->ActiveDocument());
        QVERIFY(!menu->isVisible());
        contextClick(w->StatusPanels());
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }

    void helpFollowsTheFocus_data() {
        QTest::addColumn<QString>("widget");
        // 0 as started, 1 the fret chart, 2 the placement chart, 3 the string chart
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("context");
        QTest::newRow("side-bar button") << QStringLiteral("SpeedOpen") << 0 << 20;
        QTest::newRow("size toggle") << QStringLiteral("Sidebarsize") << 0 << 20;
        QTest::newRow("file setup") << QStringLiteral("ComboInstType") << 0 << 50;
        QTest::newRow("fret chart") << QStringLiteral("ExtraFretsButton") << 1 << 30;
        QTest::newRow("placement chart") << QStringLiteral("ComboMajorKeys") << 2 << 40;
        QTest::newRow("string chart name") << QStringLiteral("Instrument Name") << 3 << 60;
        QTest::newRow("string chart cell") << QStringLiteral("Gut diameter") << 3 << 60;
    }
    void helpFollowsTheFocus() {
        QFETCH(QString, widget);
        QFETCH(int, page);
        QFETCH(int, context);
        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        if (page == 1 || page == 2)
            w->ViewFrets();
        if (page == 2)
            w->ActiveDocument()->ShowPlacement();
        if (page == 3)
            w->ViewStrings();
        QCoreApplication::processEvents();
        auto* target = shownControl(*w, widget);
        QVERIFY(target);
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target);
        QTest::keyClick(target, Qt::Key_F1);
        THelpViewer* help = w->HelpViewer();
        QTRY_VERIFY(help->isVisible());
        QCOMPARE(help->CurrentContext(), context);
        QCOMPARE(help->CurrentSource().fileName(), THelpViewer::TopicFile(context));
        QVERIFY(!help->Browser()->toPlainText().isEmpty());
    }

    void helpCommandShowsTheContents() {
        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->findChild<QToolButton*>(QStringLiteral("SpeedHelp"))->click();
        QVERIFY(w->HelpViewer()->isVisible());
        QCOMPARE(w->HelpViewer()->CurrentContext(), 10);
        QVERIFY(w->HelpViewer()->Browser()->toPlainText().contains(QStringLiteral("Welcome")));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

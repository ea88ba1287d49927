// SPDX-License-Identifier: GPL-3.0-or-later

// Without a sound server the program keeps working silently. Run with PULSE_SERVER pointing
// nowhere.
#include <QtTest>

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>

#include "app/MainForm.h"
#include "app/StatusPanels.h"
#include "app/ToneControl.h"
#include "app/TonePlayer.h"
#include "app/VolumeControl.h"
#include "sound/ToneImage.h"
#include "views/OneCrsPanelView.h"
#include "views/StrFrameView.h"
#include "views/VornFrame.h"

using namespace vorn;

class TestNoSound : public QObject {
    Q_OBJECT
private slots:
    // Once the pointer has been over it, the volume window goes when the pointer leaves or
    // another window takes over.
    void volumeWindowGoesAfterAVisit_data() {
        QTest::addColumn<bool>("visited");
        QTest::addColumn<bool>("byLeaving"); // or by another window taking the activation
        QTest::addColumn<bool>("gone");
        QTest::newRow("pointer leaves") << true << true << true;
        QTest::newRow("another window activated") << true << false << true;
        // The side bar's Volume toggle takes the activation, then closes the window itself.
        QTest::newRow("activation lost before a visit") << false << false << false;
    }
    void volumeWindowGoesAfterAVisit() {
        QFETCH(bool, visited);
        QFETCH(bool, byLeaving);
        QFETCH(bool, gone);
        QWidget other;
        other.show();
        TVolumeControl volume;
        volume.ShowAtPointer(true, QPoint(100, 100));
        volume.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&volume));
        if (visited) {
            QEnterEvent enter(QPointF(20, 4), QPointF(20, 4), volume.mapToGlobal(QPointF(20, 4)));
            QApplication::sendEvent(&volume, &enter);
        }
        if (byLeaving) {
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(&volume, &leave);
        } else {
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        }
        QCOMPARE(volume.isVisible(), !gone);
    }

    void playsSilentlyAndSaysSoOnce() {
        QVERIFY(!TTonePlayer().OutputAvailable());
        TTonePlayer player;
        TVolumeControl volume;
        TToneControl tone(player, volume);
        QPushButton speedPlay, speedStop, row;
        for (QPushButton* b : {&speedPlay, &speedStop, &row})
            b->setCheckable(true);
        tone.SetSideBarButtons(&speedPlay, &speedStop);
        QSignalSpy unavailable(&player, &TTonePlayer::outputUnavailable);

        tone.PlayTone(392, NoteValue{67, 0, 1}, &row);
        tone.PlayTone(440, NoteValue{69, 0, 1}, &row);
        QCOMPARE(unavailable.count(), 1);
        QVERIFY(!player.IsPlaying());
        // the buttons still show what was asked for
        QVERIFY(row.isChecked());
        QVERIFY(speedPlay.isChecked());
        tone.StopTone();
        QVERIFY(!row.isChecked());
        player.Shutdown();
    }

    // Said once, in a box of its own: a status bar message would lie under the panels' texts.
    void theProgramSaysSoOnceAndThePanelsStayReadable() {
        QTemporaryDir dir;
        TMainForm window(dir.filePath(QStringLiteral("vorn.vrn")));
        QStringList boxes;
        window.MessageHook = [&](QMessageBox::Icon, const QString&, const QString& text) {
            boxes << text;
        };
        window.show();
        window.ViewStrings();
        QToolButton* play =
            window.ActiveDocument()->StringView()->Row(0)->FirstString()->PlayButton();
        QSignalSpy said(window.StatusPanels(), &QStatusBar::messageChanged);
        QTest::mouseClick(play, Qt::LeftButton);
        QCOMPARE(window.PanelText(0), QStringLiteral("Playing: "));
        QTest::mouseClick(play, Qt::LeftButton);
        QTest::mouseClick(play, Qt::LeftButton);
        QCOMPARE(boxes,
                 QStringList{QStringLiteral("No audio output is available: tones are silent.")});
        QCOMPARE(said.count(), 0);
        QVERIFY(window.StatusPanels()->currentMessage().isEmpty());
        // Whole, not cut by a narrow panel ("laying:").
        for (int panel : {0, 2}) {
            const QLabel* label = window.StatusPanels()->Panel(panel);
            QVERIFY(label->isVisible());
            QVERIFY(label->contentsRect().width() >=
                    label->fontMetrics().horizontalAdvance(label->text()) + label->indent());
        }
        QCOMPARE(window.PanelText(0), QStringLiteral("Playing: "));
        window.close();
        window.ShutdownSound();
    }
};

QTEST_MAIN(TestNoSound)
#include "tst_nosound.moc"

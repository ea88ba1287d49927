// Without a sound server the program keeps working silently. Run with PULSE_SERVER pointing
// nowhere.
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "app/MainForm.h"
#include "app/StatusPanels.h"
#include "app/ToneControl.h"
#include "app/TonePlayer.h"
#include "app/VolumeControl.h"
#include "sound/ToneImage.h"
#include "views/OneCrsPanelView.h"
#include "views/StrFrameView.h"
#include "views/VornFrame.h"

#include <QTemporaryDir>
#include <QToolButton>

using namespace vorn;

class TestNoSound : public QObject {
    Q_OBJECT
private slots:
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

    void theProgramSaysSoInTheStatusBarOnce() {
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
        int notices = 0;
        for (const auto& args : said)
            if (args.at(0).toString().contains(QStringLiteral("No audio output")))
                ++notices;
        QCOMPARE(notices, 1);
        QVERIFY(boxes.isEmpty());
        window.close();
        window.ShutdownSound();
    }
};

QTEST_MAIN(TestNoSound)
#include "tst_nosound.moc"

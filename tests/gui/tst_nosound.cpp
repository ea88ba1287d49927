// Without a sound server the program keeps working silently. Run with PULSE_SERVER pointing
// nowhere.
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "app/ToneControl.h"
#include "app/TonePlayer.h"
#include "app/VolControl.h"
#include "sound/ToneImage.h"

using namespace vorn;

class TestNoSound : public QObject {
    Q_OBJECT
private slots:
    void playsSilentlyAndSaysSoOnce() {
        QVERIFY(!TTonePlayer::OutputAvailable());
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
};

QTEST_MAIN(TestNoSound)
#include "tst_nosound.moc"

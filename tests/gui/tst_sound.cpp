// SPDX-License-Identifier: GPL-3.0-or-later

// The tone player through a real sound server: what the null sink receives is recorded and
// measured. The server is started by the project's script before these tests run.
#include <QtTest>

#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
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
#include "views/FretFrormView.h"
#include "views/FretPositionView.h"
#include "views/OneCrsPanelView.h"
#include "views/StrFrameView.h"
#include "views/VornFrame.h"
#include "widgets/NotePanel.h"

using namespace vorn;

namespace {

struct Measure {
    double frequency = 0;
    double peak = 0;
};

// Records what the sink plays for `seconds` and measures it.
Measure recordSink(const QString& wavPath, double seconds) {
    QProcess sox;
    sox.start(QStringLiteral("sox"),
              {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("pulseaudio"),
               QStringLiteral("vorn_sink.monitor"), QStringLiteral("-r"), QStringLiteral("44100"),
               QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-b"),
               QStringLiteral("16"), wavPath, QStringLiteral("trim"), QStringLiteral("0"),
               QString::number(seconds)});
    // Keep the event loop running: the sink is fed from it.
    QElapsedTimer waited;
    waited.start();
    while (sox.state() != QProcess::NotRunning && waited.elapsed() < seconds * 1000 + 5000)
        QTest::qWait(20);
    QProcess measure;
    measure.start(QStringLiteral("/usr/bin/python3"),
                  {QStringLiteral(VORN_SOURCE_DIR "/scripts/measure-tone.py"), wavPath});
    measure.waitForFinished(20000);
    const QJsonObject o = QJsonDocument::fromJson(measure.readAllStandardOutput()).object();
    return {o.value(QStringLiteral("frequency")).toDouble(),
            o.value(QStringLiteral("peak")).toDouble()};
}

} // namespace

class TestSound : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY2(TTonePlayer().OutputAvailable(),
                 "no sound server: start scripts/start-sound-server.sh");
    }

    void playsTheFrequencyAtTheVolumeThenSilence_data() {
        QTest::addColumn<int>("hz");
        QTest::addColumn<int>("volume");
        QTest::newRow("392 Hz at 60") << 392 << 60;
        QTest::newRow("110 Hz at 127") << 110 << 127;
    }
    void playsTheFrequencyAtTheVolumeThenSilence() {
        QFETCH(int, hz);
        QFETCH(int, volume);
        QTemporaryDir dir;
        TTonePlayer player;
        QVERIFY(player.Play(BuildToneImage(hz, volume)));
        QTest::qWait(300);
        const Measure on = recordSink(dir.filePath(QStringLiteral("on.wav")), 1.0);
        QVERIFY2(std::abs(on.frequency - hz) < 1.0, qPrintable(QString::number(on.frequency)));
        // 8-bit samples swing by `volume` around 127: volume / 127 of full scale, give or
        // take one step of the 8-bit data.
        QVERIFY2(std::abs(on.peak - volume / 127.0) < 0.02, qPrintable(QString::number(on.peak)));

        player.Stop();
        QVERIFY(!player.IsPlaying());
        QTest::qWait(300);
        const Measure off = recordSink(dir.filePath(QStringLiteral("off.wav")), 0.5);
        QVERIFY2(off.peak < 0.01, qPrintable(QString::number(off.peak)));
    }

    void aNewToneReplacesTheOld() {
        QTemporaryDir dir;
        TTonePlayer player;
        QVERIFY(player.Play(BuildToneImage(440, 60)));
        QTest::qWait(200);
        QVERIFY(player.Play(BuildToneImage(660, 60)));
        QTest::qWait(300);
        const Measure m = recordSink(dir.filePath(QStringLiteral("new.wav")), 0.8);
        QVERIFY2(std::abs(m.frequency - 660) < 1.0, qPrintable(QString::number(m.frequency)));
        player.Shutdown();
    }

    void buttonStatesAndStatusTexts() {
        TTonePlayer player;
        TVolumeControl volume;
        TToneControl tone(player, volume);
        QPushButton speedPlay, speedStop, first, second;
        for (QPushButton* b : {&speedPlay, &speedStop, &first, &second})
            b->setCheckable(true);
        tone.SetSideBarButtons(&speedPlay, &speedStop);
        QStringList messages;
        tone.ShowMessage = [&](const QString& m) { messages << m; };
        QSignalSpy state(&tone, &TToneControl::playStateText);
        QSignalSpy freq(&tone, &TToneControl::frequencyText);

        tone.PlayTone(11, NoteValue{}, &first);
        QVERIFY(!speedPlay.isChecked());
        QCOMPARE(state.count(), 0);
        QVERIFY(!player.IsPlaying());

        tone.PlayTone(392, NoteValue{67, 0, 1}, &first);
        QVERIFY(first.isChecked());
        QVERIFY(speedPlay.isChecked());
        QVERIFY(!speedStop.isChecked());
        QCOMPARE(state.last().at(0).toString(), QStringLiteral("Playing: "));
        QCOMPARE(freq.last().at(0).toString(), QStringLiteral("392htz."));
        QVERIFY(player.IsPlaying());

        tone.PlayTone(440, NoteValue{69, 0, 1}, &second);
        QVERIFY(!first.isChecked());
        QVERIFY(second.isChecked());
        QCOMPARE(tone.LastFrequency(), 440);

        tone.StopTone();
        QVERIFY(!second.isChecked());
        QVERIFY(!speedPlay.isChecked());
        QVERIFY(speedStop.isChecked());
        QCOMPARE(state.last().at(0).toString(), QStringLiteral("Play: "));
        QCOMPARE(freq.last().at(0).toString(), QStringLiteral("440htz."));
        QVERIFY(!player.IsPlaying());

        // Play replays the last tone and presses its button again.
        tone.PlayLast();
        QVERIFY(second.isChecked());
        QCOMPARE(tone.ShownNote().Number, 69);
        QVERIFY(player.IsPlaying());

        tone.PlayTone(7000, NoteValue{}, &first);
        QCOMPARE(messages, QStringList{QStringLiteral(
                               "Sample rate of 11025 is too Low to play a tone of 7000Hz")});
        // the refused tone leaves the sound as it was
        QVERIFY(player.IsPlaying());
        tone.StopTone();
    }

    // The whole road: a string's play toggle in the main window, the side bar's Play and Stop,
    // the volume window.
    void mainWindowPlayButtons() {
        QTemporaryDir dir;
        TMainForm window(dir.filePath(QStringLiteral("vorn.vrn")));
        window.MessageHook = [](QMessageBox::Icon, const QString&, const QString&) {};
        window.show();
        TVornFrame* frame = window.ActiveDocument();
        QVERIFY(frame);
        // Near-equal temperament puts the top g of the alto lute at 392 Hz whole.
        auto* temperament = frame->findChild<QComboBox*>(QStringLiteral("ComboTemperament"));
        QVERIFY(temperament);
        temperament->setCurrentIndex(7);
        window.ViewStrings();
        TOneStringPanelView* top = frame->StringView()->Row(0)->FirstString();
        QToolButton* play = top->PlayButton();
        QVERIFY(play->isEnabled());

        QTest::mouseClick(play, Qt::LeftButton);
        QVERIFY(play->isChecked());
        QCOMPARE(window.PanelText(0), QStringLiteral("Playing: "));
        QCOMPARE(window.PanelText(2), QStringLiteral("392htz."));
        QCOMPARE(window.NoteDisplay()->Note().Number, 67);
        QTest::qWait(300);
        const Measure on = recordSink(dir.filePath(QStringLiteral("on.wav")), 1.0);
        QVERIFY2(std::abs(on.frequency - 392) < 1.0, qPrintable(QString::number(on.frequency)));
        QVERIFY2(std::abs(on.peak - 60 / 127.0) < 0.02, qPrintable(QString::number(on.peak)));

        QTest::mouseClick(play, Qt::LeftButton); // released: silence
        QVERIFY(!play->isChecked());
        QCOMPARE(window.PanelText(0), QStringLiteral("Play: "));
        QCOMPARE(window.PanelText(2), QStringLiteral("392htz."));
        QTest::qWait(300);
        QVERIFY(recordSink(dir.filePath(QStringLiteral("off.wav")), 0.5).peak < 0.01);

        // The side bar's Play replays the last tone and presses its button again; Stop
        // silences it.
        auto* speedPlay = window.findChild<QToolButton*>(QStringLiteral("SpeedPlay"));
        auto* speedStop = window.findChild<QToolButton*>(QStringLiteral("SpeedStop"));
        QVERIFY(speedPlay && speedStop);
        QTest::mouseClick(speedPlay, Qt::LeftButton);
        QVERIFY(play->isChecked());
        QVERIFY(speedPlay->isChecked());
        QTest::qWait(300);
        QVERIFY(std::abs(recordSink(dir.filePath(QStringLiteral("again.wav")), 0.6).frequency -
                         392) < 1.0);
        QTest::mouseClick(speedStop, Qt::LeftButton);
        QVERIFY(!play->isChecked());
        QVERIFY(!speedPlay->isChecked());
        QTest::qWait(300);
        QVERIFY(recordSink(dir.filePath(QStringLiteral("stopped.wav")), 0.5).peak < 0.01);

        // The volume window sets the next tone's amplitude.
        window.VolumeWindow()->SetVolume(127);
        TOneStringPanelView* second = frame->StringView()->Row(1)->FirstString();
        QTest::mouseClick(second->PlayButton(), Qt::LeftButton);
        QVERIFY(!play->isChecked());
        QTest::qWait(300);
        const Measure loud = recordSink(dir.filePath(QStringLiteral("loud.wav")), 0.6);
        QVERIFY2(loud.peak > 0.97, qPrintable(QString::number(loud.peak)));
        QCOMPARE(window.PanelText(2), QStringLiteral("%1htz.").arg(window.Tone()->LastFrequency()));
        QVERIFY(window.Tone()->LastFrequency() != 392);

        // A fret of the fret chart sounds through the same player; its octave is g''.
        window.ViewFrets();
        TFretFrormView* frets = frame->FretView();
        QToolButton* octave = frets->Row(12)->MainPart()->Play();
        const int hertz = frets->Model().Rows[11].Main.PlayHertz;
        QTest::mouseClick(octave, Qt::LeftButton);
        QVERIFY(octave->isChecked());
        QVERIFY(!second->PlayButton()->isChecked());
        QCOMPARE(window.PanelText(0), QStringLiteral("Playing: "));
        QCOMPARE(window.PanelText(2), QStringLiteral("%1htz.").arg(hertz));
        QCOMPARE(window.NoteDisplay()->Note().Number, 79);
        QTest::qWait(300);
        const Measure fret = recordSink(dir.filePath(QStringLiteral("fret.wav")), 0.6);
        QVERIFY2(std::abs(fret.frequency - hertz) < 1.5,
                 qPrintable(QString::number(fret.frequency)));
        QTest::mouseClick(octave, Qt::LeftButton);
        QVERIFY(!octave->isChecked());
        QCOMPARE(window.PanelText(0), QStringLiteral("Play: "));
        window.close();
        window.ShutdownSound();
    }

    void volumeWindow() {
        TVolumeControl volume;
        QCOMPARE(volume.Volume(), 60);
        volume.ShowAtPointer(true, QPoint(100, 100));
        QCOMPARE(volume.LabelText(), QStringLiteral("Volume: 47%"));
        QCOMPARE(volume.pos(), QPoint(110, 90));
        volume.SetVolume(127);
        QCOMPARE(volume.LabelText(), QStringLiteral("Volume: 100%"));
        QSignalSpy hidden(&volume, &TVolumeControl::hidden);
        volume.ShowAtPointer(false, QPoint(0, 0));
        QCOMPARE(hidden.count(), 1);
    }
};

QTEST_MAIN(TestSound)
#include "tst_sound.moc"

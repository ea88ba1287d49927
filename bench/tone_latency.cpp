// SPDX-License-Identifier: GPL-3.0-or-later

// Click-to-sound: the time from a play request to the first non-silent samples arriving from
// the sound server's monitor of the sink the program plays to (remapped as vorn_capture). The
// capture side adds its own buffering, so the figures are an upper bound. Needs the server of
// scripts/start-sound-server.sh.
#include <QApplication>
#include <QAudioSource>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/ToneControl.h"
#include "app/TonePlayer.h"
#include "app/VolumeControl.h"

using namespace vorn;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QAudioDevice monitor;
    for (const QAudioDevice& d : QMediaDevices::audioInputs())
        if (d.id().contains("vorn_capture"))
            monitor = d;
    if (monitor.isNull()) {
        std::fprintf(stderr, "no vorn_capture source: start scripts/start-sound-server.sh\n");
        return 1;
    }
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    QAudioSource source(monitor, format);
    source.setBufferSize(441 * 2); // 10 ms
    QIODevice* in = source.start();

    TTonePlayer player;
    TVolumeControl volume;
    TToneControl tone(player, volume);
    QPushButton button;
    button.setCheckable(true);

    auto drain = [&](int ms) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            app.processEvents(QEventLoop::AllEvents, 1);
            in->readAll();
        }
    };
    drain(500);

    std::vector<double> results;
    for (int run = 0; run < 15; ++run) {
        drain(300);
        QElapsedTimer t;
        t.start();
        tone.PlayTone(run % 2 ? 440 : 392, NoteValue{69, 0, 1}, &button);
        double found = -1;
        while (found < 0 && t.elapsed() < 2000) {
            app.processEvents(QEventLoop::AllEvents, 1);
            const QByteArray data = in->readAll();
            const auto* s = reinterpret_cast<const int16_t*>(data.constData());
            for (qsizetype i = 0; i < data.size() / 2; ++i)
                if (std::abs(s[i]) > 1000) {
                    found = t.nsecsElapsed() / 1e6;
                    break;
                }
        }
        tone.StopTone();
        if (argc > 1)
            std::printf("tone %d: %.1f ms\n", run + 1, found);
        if (found >= 0)
            results.push_back(found);
    }
    player.Shutdown();
    source.stop();
    if (results.empty()) {
        std::fprintf(stderr, "no sound arrived\n");
        return 1;
    }
    std::sort(results.begin(), results.end());
    std::printf("click to sound over %zu tones: min %.1f ms, median %.1f ms, max %.1f ms\n",
                results.size(), results.front(), results[results.size() / 2], results.back());
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The platform side of the tone: plays a tone image's samples in an endless loop,
// asynchronously, one tone at a time. The audio output comes from a module loaded at the
// first tone (see ToneSink.h); without it the player is silent.

#include <QObject>

#include <memory>
#include <string>

namespace vorn {

class TToneSink;

class TTonePlayer : public QObject {
    Q_OBJECT
public:
    explicit TTonePlayer(QObject* parent = nullptr);
    ~TTonePlayer() override;

    // Starts looping the image (header + 8-bit samples at 11025 Hz) and returns at once,
    // replacing what was playing. false when no audio output is available; the player then
    // stays silent.
    bool Play(std::string image);
    // Silences the tone and releases its image.
    void Stop();
    bool IsPlaying() const;
    // Whether the system offers an audio output at all (loads the audio module).
    bool OutputAvailable();
    // Stops and releases the output before its samples: call before the application object
    // goes, since the sound server connection does not survive a late teardown.
    void Shutdown();

    // Ends the process with exitCode once the application object is gone, when the audio
    // module was loaded: Qt Multimedia tears its sound server connection down in an exit
    // handler while the connection's own thread may still run, which aborts about one exit
    // in a thousand. Nothing of the program's is left to save by then. Returns when the
    // module was never loaded.
    static void EndProcessAfterSound(int exitCode);

signals:
    // Once, the first time a tone cannot be played.
    void outputUnavailable();

private:
    TToneSink* sink(); // loads the module once; null when it cannot be loaded
    void unavailable();
    std::unique_ptr<TToneSink> sink_;
    bool loadTried_ = false;
    bool reported_ = false;
};

} // namespace vorn

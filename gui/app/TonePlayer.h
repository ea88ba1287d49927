#pragma once
// The platform side of the tone: plays a tone image's samples in an endless loop through
// Qt Multimedia, asynchronously, one tone at a time.

#include <QObject>
#include <memory>
#include <string>

class QAudioSink;
class QIODevice;

namespace vorn {

class TToneLoopDevice;

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
    // Whether the system offers an audio output at all.
    static bool OutputAvailable();
    // Stops and releases the sink before its device: call before the application object goes,
    // since the sound server connection does not survive a late teardown.
    void Shutdown();

signals:
    // Once, the first time a tone cannot be played.
    void outputUnavailable();

private:
    void release();
    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<TToneLoopDevice> device_;
    bool reported_ = false;
};

} // namespace vorn

#include "app/TonePlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <algorithm>
#include <cstring>

#include "sound/ToneImage.h"

namespace vorn {

// Reads the image's samples round and round; it owns the image, so the image lives exactly as
// long as the sink may read it.
class TToneLoopDevice : public QIODevice {
public:
    explicit TToneLoopDevice(std::string image) : image_(std::move(image)) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return QIODevice::bytesAvailable() + ToneSampleCount; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const char* samples = image_.data() + ToneHeaderSize;
        qint64 done = 0;
        while (done < maxSize) {
            const qint64 chunk = std::min<qint64>(maxSize - done, ToneSampleCount - pos_);
            std::memcpy(data + done, samples + pos_, static_cast<size_t>(chunk));
            done += chunk;
            pos_ = (pos_ + chunk) % ToneSampleCount;
        }
        return done;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::string image_;
    qint64 pos_ = 0;
};

TTonePlayer::TTonePlayer(QObject* parent) : QObject(parent) {}

TTonePlayer::~TTonePlayer() {
    release();
}

bool TTonePlayer::OutputAvailable() {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

bool TTonePlayer::Play(std::string image) {
    if (image.size() != static_cast<size_t>(ToneImageSize))
        return false;
    release();
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) {
        if (!reported_) {
            reported_ = true;
            emit outputUnavailable();
        }
        return false;
    }
    QAudioFormat format;
    format.setSampleRate(ToneSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::UInt8);
    device_ = std::make_unique<TToneLoopDevice>(std::move(image));
    sink_ = std::make_unique<QAudioSink>(output, format);
    sink_->start(device_.get());
    if (sink_->error() != QAudio::NoError) {
        release();
        if (!reported_) {
            reported_ = true;
            emit outputUnavailable();
        }
        return false;
    }
    return true;
}

void TTonePlayer::Stop() {
    release();
}

bool TTonePlayer::IsPlaying() const {
    return sink_ != nullptr;
}

void TTonePlayer::Shutdown() {
    release();
}

void TTonePlayer::release() {
    // The sink reads from the device: stop and free it first.
    if (sink_) {
        sink_->stop();
        sink_.reset();
    }
    device_.reset();
}

} // namespace vorn

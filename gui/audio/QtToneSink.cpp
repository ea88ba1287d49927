// SPDX-License-Identifier: GPL-3.0-or-later

// The tone sink over Qt Multimedia, built as the module the tone player loads at the first
// tone.

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>

#include <algorithm>
#include <cstring>
#include <memory>

#include "app/ToneSink.h"
#include "sound/ToneImage.h"

namespace vorn {

namespace {

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

class TQtToneSink : public TToneSink {
public:
    ~TQtToneSink() override { Stop(); }

    bool OutputAvailable() override { return !QMediaDevices::defaultAudioOutput().isNull(); }

    bool Start(std::string image) override {
        Stop();
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (output.isNull())
            return false;
        QAudioFormat format;
        format.setSampleRate(ToneSampleRate);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::UInt8);
        device_ = std::make_unique<TToneLoopDevice>(std::move(image));
        sink_ = std::make_unique<QAudioSink>(output, format);
        sink_->start(device_.get());
        if (sink_->error() != QAudio::NoError) {
            Stop();
            return false;
        }
        return true;
    }

    void Stop() override {
        // The sink reads from the device: stop and free it first.
        if (sink_) {
            sink_->stop();
            sink_.reset();
        }
        device_.reset();
    }

    bool Playing() const override { return sink_ != nullptr; }

private:
    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<TToneLoopDevice> device_;
};

} // namespace

} // namespace vorn

extern "C" Q_DECL_EXPORT vorn::TToneSink* vorn_create_tone_sink() {
    return new vorn::TQtToneSink;
}

// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TonePlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#include <cstdio>
#include <cstdlib>

#include "app/ToneSink.h"
#include "sound/ToneImage.h"

namespace vorn {

namespace {

bool moduleLoaded = false;

// Beside the program, where an installation puts it, then where the build left it.
QStringList moduleFolders() {
    QStringList folders;
    if (QCoreApplication::instance()) {
        const QString program = QCoreApplication::applicationDirPath();
        folders << program;
#ifdef VORN_AUDIO_MODULE_INSTALLED
        folders << QDir(program).filePath(QStringLiteral(VORN_AUDIO_MODULE_INSTALLED));
#endif
    }
#ifdef VORN_AUDIO_MODULE_DIR
    folders << QStringLiteral(VORN_AUDIO_MODULE_DIR);
#endif
    return folders;
}

std::unique_ptr<TToneSink> loadSink() {
    for (const QString& folder : moduleFolders()) {
        // Never unloaded: the sound server's client threads live as long as the process.
        auto* library = new QLibrary(QDir(folder).filePath(QStringLiteral("vornaudio")));
        library->setLoadHints(QLibrary::PreventUnloadHint);
        const auto create =
            reinterpret_cast<CreateToneSinkFunction>(library->resolve(CreateToneSinkSymbol));
        if (create) {
            moduleLoaded = true;
            return std::unique_ptr<TToneSink>(create());
        }
        delete library;
    }
    return nullptr;
}

} // namespace

TTonePlayer::TTonePlayer(QObject* parent) : QObject(parent) {}

TTonePlayer::~TTonePlayer() {
    Shutdown();
}

TToneSink* TTonePlayer::sink() {
    if (!loadTried_) {
        loadTried_ = true;
        sink_ = loadSink();
    }
    return sink_.get();
}

bool TTonePlayer::OutputAvailable() {
    return sink() && sink_->OutputAvailable();
}

void TTonePlayer::unavailable() {
    if (!reported_) {
        reported_ = true;
        emit outputUnavailable();
    }
}

bool TTonePlayer::Play(std::string image) {
    if (image.size() != static_cast<size_t>(ToneImageSize))
        return false;
    if (!sink()) {
        unavailable();
        return false;
    }
    if (!sink_->Start(std::move(image))) {
        unavailable();
        return false;
    }
    return true;
}

void TTonePlayer::Stop() {
    if (sink_)
        sink_->Stop();
}

bool TTonePlayer::IsPlaying() const {
    return sink_ && sink_->Playing();
}

void TTonePlayer::Shutdown() {
    if (sink_)
        sink_->Stop();
}

void TTonePlayer::EndProcessAfterSound(int exitCode) {
    if (!moduleLoaded)
        return;
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

} // namespace vorn

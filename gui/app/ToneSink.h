// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the tone player needs of the platform's audio output. The implementation lives in a
// module of its own (gui/audio), loaded at the first tone: the audio libraries it brings
// cost more at start-up than the rest of the window.

#include <string>

namespace vorn {

class TToneSink {
public:
    virtual ~TToneSink() = default;
    // Whether the system offers an audio output at all.
    virtual bool OutputAvailable() = 0;
    // Starts looping the image's samples (8-bit unsigned, mono, 11025 Hz) and returns at
    // once, replacing what was playing; false when there is no output or it cannot start.
    virtual bool Start(std::string image) = 0;
    // Stops and releases the output, then the samples.
    virtual void Stop() = 0;
    virtual bool Playing() const = 0;
};

// The module's one entry point, looked up by this name.
using CreateToneSinkFunction = TToneSink* (*)();
inline constexpr const char* CreateToneSinkSymbol = "vorn_create_tone_sink";

} // namespace vorn

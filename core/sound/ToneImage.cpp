// SPDX-License-Identifier: GPL-3.0-or-later

#include "sound/ToneImage.h"

#include <cmath>

#include "io/ByteWriter.h"

namespace vorn {

namespace {

void u16(ByteWriter& w, uint16_t v) {
    w.u8(static_cast<uint8_t>(v & 0xFF));
    w.u8(static_cast<uint8_t>(v >> 8));
}

void u32(ByteWriter& w, uint32_t v) {
    w.i32(static_cast<int32_t>(v));
}

} // namespace

uint8_t ToneSample(int32_t frequency, int32_t volume, int32_t i) {
    // omega is held as a double; the product and quotient run in extended precision.
    const double omega = static_cast<double>(frequency) * 6.283185307179586477;
    const long double phase = static_cast<long double>(i) * omega / 11025.0L;
    const long double scaled = std::sin(phase) * static_cast<long double>(volume);
    const long long truncated = static_cast<long long>(std::trunc(scaled));
    return static_cast<uint8_t>(((truncated + 127) % 256 + 256) % 256);
}

std::string BuildToneImage(int32_t frequency, int32_t volume) {
    ByteWriter w;
    constexpr uint16_t channels = 1;
    constexpr uint16_t bits = 8;
    constexpr uint16_t blockAlign = channels * bits / 8;
    w.raw("RIFF");
    u32(w, 4 + 4 + 18 + 4 + 4 + 4 + ToneSampleCount);
    w.raw("WAVE");
    w.raw("fmt ");
    u32(w, 18);
    u16(w, 1); // PCM
    u16(w, channels);
    u32(w, ToneSampleRate);
    u32(w, blockAlign * ToneSampleRate);
    u16(w, blockAlign);
    u16(w, bits);
    u16(w, 0); // no extra format bytes
    w.raw("data");
    u32(w, ToneSampleCount);
    for (int32_t i = 0; i < ToneSampleCount; ++i)
        w.u8(ToneSample(frequency, volume, i));
    return w.take();
}

std::string ToneTooHighMessage(int32_t frequency) {
    return "Sample rate of " + std::to_string(ToneSampleRate) + " is too Low to play a tone of " +
           std::to_string(frequency) + "Hz";
}

} // namespace vorn

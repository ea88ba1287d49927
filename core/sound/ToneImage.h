// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The WAV image of a tone: one second of a pure sine, 11025 Hz, 8-bit unsigned, mono, built
// anew for every request and played in a loop.

#include <cstdint>
#include <string>

namespace vorn {

constexpr int32_t ToneSampleRate = 11025; // samples per second
constexpr int32_t ToneLengthMs = 1000;
constexpr int32_t ToneSampleCount = ToneLengthMs * ToneSampleRate / 1000; // 11025
constexpr int32_t ToneHeaderSize = 46; // RIFF header with the 18-byte format chunk
constexpr int32_t ToneImageSize = ToneHeaderSize + ToneSampleCount;
constexpr int32_t MinToneFrequency = 12;                      // Hz; lower requests are refused
constexpr int32_t MaxToneFrequency = ToneSampleRate * 6 / 10; // 6615 Hz
constexpr int32_t MaxToneVolume = 127;
constexpr int32_t DefaultToneVolume = 60;

// Sample i of a tone: (trunc(sin(i * 2pi * frequency / 11025) * volume) + 127) mod 256.
// frequency in Hz, volume 0..127 (silence is 127).
uint8_t ToneSample(int32_t frequency, int32_t volume, int32_t i);

// The whole image, ToneImageSize bytes: header then ToneSampleCount samples.
std::string BuildToneImage(int32_t frequency, int32_t volume);

// "Sample rate of 11025 is too Low to play a tone of 7000Hz".
std::string ToneTooHighMessage(int32_t frequency);

} // namespace vorn

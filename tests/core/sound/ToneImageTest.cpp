// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cstring>

#include "sound/ToneImage.h"

using namespace vorn;

namespace {

uint32_t le32(const std::string& b, size_t at) {
    uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

uint16_t le16(const std::string& b, size_t at) {
    uint16_t v;
    std::memcpy(&v, b.data() + at, 2);
    return v;
}

TEST(ToneImage, HeaderWithTheEighteenByteFormatChunk) {
    const std::string img = BuildToneImage(440, 60);
    ASSERT_EQ(img.size(), 11071u);
    EXPECT_EQ(img.substr(0, 4), "RIFF");
    EXPECT_EQ(le32(img, 4), 11063u);
    EXPECT_EQ(img.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(le32(img, 16), 18u);
    EXPECT_EQ(le16(img, 20), 1);
    EXPECT_EQ(le16(img, 22), 1);
    EXPECT_EQ(le32(img, 24), 11025u);
    EXPECT_EQ(le32(img, 28), 11025u);
    EXPECT_EQ(le16(img, 32), 1);
    EXPECT_EQ(le16(img, 34), 8);
    EXPECT_EQ(le16(img, 36), 0);
    EXPECT_EQ(img.substr(38, 4), "data");
    EXPECT_EQ(le32(img, 42), 11025u);
}

struct SampleCase {
    int frequency, volume, index, value;
};

class ToneSamples : public ::testing::TestWithParam<SampleCase> {};

TEST_P(ToneSamples, MatchTheFormula) {
    const SampleCase c = GetParam();
    const std::string img = BuildToneImage(c.frequency, c.volume);
    EXPECT_EQ(static_cast<uint8_t>(img[46 + c.index]), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    KnownValues, ToneSamples,
    ::testing::Values(SampleCase{440, 127, 0, 127}, SampleCase{440, 127, 1, 158},
                      SampleCase{440, 127, 6, 253},
                      SampleCase{440, 127, 25, 126}, // -1.81 truncates toward zero
                      SampleCase{1000, 60, 0, 127}, SampleCase{1000, 60, 1, 159},
                      SampleCase{1000, 60, 2, 181}, SampleCase{1000, 60, 3, 186},
                      SampleCase{1000, 60, 4, 172}));

TEST(ToneImage, SilenceAtVolumeZeroAndRangeAtFullVolume) {
    const std::string quiet = BuildToneImage(392, 0);
    for (size_t i = 46; i < quiet.size(); ++i)
        ASSERT_EQ(static_cast<uint8_t>(quiet[i]), 127) << i;
    for (int f : {12, 440, 3001, 6615}) {
        const std::string loud = BuildToneImage(f, 127);
        int lo = 255, hi = 0;
        for (size_t i = 46; i < loud.size(); ++i) {
            lo = std::min(lo, int(static_cast<uint8_t>(loud[i])));
            hi = std::max(hi, int(static_cast<uint8_t>(loud[i])));
        }
        EXPECT_GE(lo, 0) << f;
        EXPECT_LE(hi, 254) << f;
        EXPECT_EQ(static_cast<uint8_t>(loud[46]), 127) << f;
    }
}

TEST(ToneImage, OneSecondHoldsWholePeriodsSoTheLoopJoins) {
    // A whole number of hertz over exactly one second: the sample after the last one would
    // be sample 0 again.
    for (int f : {12, 392, 440, 1234}) {
        EXPECT_EQ(ToneSample(f, 100, ToneSampleCount), ToneSample(f, 100, 0)) << f;
        EXPECT_EQ(ToneSample(f, 100, ToneSampleCount + 1), ToneSample(f, 100, 1)) << f;
    }
}

TEST(ToneImage, TooHighMessage) {
    EXPECT_EQ(ToneTooHighMessage(7000), "Sample rate of 11025 is too Low to play a tone of 7000Hz");
    EXPECT_EQ(MaxToneFrequency, 6615);
}

} // namespace

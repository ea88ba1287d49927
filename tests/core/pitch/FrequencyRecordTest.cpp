// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "pitch/FrequencyRecord.h"
#include "pitch/FretRecord.h"
#include "pitch/Temperaments.h"

using namespace vorn;

namespace {

double freq(const FrequencyRecord& t, int number, uint8_t accidental = 0) {
    return t.NoteFrequency(NoteValue{number, accidental, 1});
}

TEST(PitchTable, QuarterCommaCents) {
    FrequencyRecord t;
    t.Compute(0.25, 440);
    const double expected[17] = {0,       76.049,  117.108, 193.157,  269.206, 310.265,
                                 386.314, 503.422, 579.471, 620.529,  696.578, 772.627,
                                 813.686, 889.735, 965.784, 1006.843, 1082.892};
    for (int i = 0; i < 17; ++i)
        EXPECT_NEAR(t.Cents[i], expected[i], 0.0005) << "position " << i;
}

TEST(PitchTable, QuarterCommaFrequencies) {
    FrequencyRecord t;
    t.Compute(0.25, 440);
    EXPECT_NEAR(freq(t, 60), 263.181, 0.0005);
    EXPECT_NEAR(freq(t, 61, acc_sharp), 275.000, 0.0005);
    EXPECT_NEAR(freq(t, 61, acc_flat), 281.600, 0.0005);
    EXPECT_NEAR(freq(t, 64), 328.977, 0.0005);
}

TEST(PitchTable, PureFifthsPutCSharpAboveDFlat) {
    FrequencyRecord t;
    t.Compute(0, 440);
    EXPECT_NEAR(freq(t, 61, acc_sharp), 440.0 * 1.5 * 1.5 * 1.5 * 1.5 / 8,
                1e-9); // a pure third above A
    EXPECT_NEAR(freq(t, 61, acc_flat), 274.690, 0.0005);
    EXPECT_GT(freq(t, 61, acc_sharp), freq(t, 61, acc_flat));
}

TEST(PitchTable, EleventhCommaIsNearlyEqual) {
    FrequencyRecord t;
    t.Compute(1.0 / 11.0, 440);
    EXPECT_NEAR(freq(t, 60), 261.626, 0.0005);
    EXPECT_LT(std::fabs(freq(t, 61, acc_sharp) - freq(t, 61, acc_flat)), 0.001);
}

struct StandardCase {
    double pitchA;
    int number;
    double hz;
};

class PitchStandardTest : public ::testing::TestWithParam<StandardCase> {};

TEST_P(PitchStandardTest, AIsExactInEveryTemperament) {
    const StandardCase c = GetParam();
    for (int id = 0; id < NamedTemperamentCount; ++id) {
        FrequencyRecord t;
        t.Compute(TemperamentFraction(id), c.pitchA);
        EXPECT_DOUBLE_EQ(freq(t, c.number), c.hz) << "temperament " << id;
    }
}

INSTANTIATE_TEST_SUITE_P(Standards, PitchStandardTest,
                         ::testing::Values(StandardCase{440, 69, 440}, StandardCase{415, 57, 207.5},
                                           StandardCase{220, 69, 440}, StandardCase{220, 57, 220},
                                           StandardCase{256, 69, 512}, StandardCase{466, 81, 932},
                                           StandardCase{392, 69, 392}));

TEST(PitchTable, OctavesDoubleExactly) {
    FrequencyRecord t;
    t.Compute(1.0 / 6.05, 440);
    for (int n = 0; n + 12 < 128; ++n)
        EXPECT_DOUBLE_EQ(freq(t, n + 12), 2 * freq(t, n)) << n;
}

TEST(PitchTable, SpellingChoosesTheScalePosition) {
    FrequencyRecord t;
    t.Compute(0.25, 440);
    // a natural sign sounds as no sign
    EXPECT_DOUBLE_EQ(freq(t, 63, acc_natural), freq(t, 63));
    // Beyond the seventeen a spelling sounds as the note of the table it falls on: B-sharp
    // and E-sharp as C and F, F-flat and C-flat as E and B, a double sign as the plain note.
    const struct {
        int number;
        uint8_t accidental;
        uint8_t soundsAs; // accidental of the same number in the table
    } beyond[] = {{60, acc_sharp, acc_none},        {65, acc_sharp, acc_none},
                  {64, acc_flat, acc_none},         {71, acc_flat, acc_none},
                  {62, acc_double_flat, acc_none},  {67, acc_double_sharp, acc_none},
                  {66, acc_double_sharp, acc_none}, {61, acc_double_flat, acc_none},
                  {70, acc_double_flat, acc_none},  {61, acc_sharp, acc_sharp},
                  {70, acc_flat, acc_flat}};
    for (const auto& b : beyond)
        EXPECT_DOUBLE_EQ(freq(t, b.number, b.accidental), freq(t, b.number, b.soundsAs))
            << b.number << " " << int(b.accidental);
}

// A key's spelling never moves a note off the table: in every key and temperament a note
// sounds where the table puts its plain, sharp or flat spelling.
struct KeySpellingCase {
    int number;
    uint8_t key;
    double commaFraction;
    double hz; // 0: compare with the plain spelling
};

class KeySpellingTest : public ::testing::TestWithParam<KeySpellingCase> {};

TEST_P(KeySpellingTest, SoundsOnTheSeventeenNoteTable) {
    const KeySpellingCase c = GetParam();
    FrequencyRecord t;
    t.Compute(c.commaFraction, 440);
    NoteValue note{c.number, acc_none, 0};
    SpellLetter(note, c.key);
    const double hz = t.NoteFrequency(note);
    if (c.hz > 0) {
        EXPECT_NEAR(hz, c.hz, 1e-9);
    }
    const uint8_t row = note.Accidental == acc_sharp || note.Accidental == acc_flat
                            ? note.Accidental
                            : uint8_t(acc_none);
    EXPECT_DOUBLE_EQ(hz, freq(t, c.number, row)) << "accidental " << int(note.Accidental);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeySpellingTest,
    ::testing::Values(KeySpellingCase{69, 1, 0, 440},      // B-double-flat in G-flat major
                      KeySpellingCase{69, 0, 0.25, 440},   // B-double-flat in C-flat major
                      KeySpellingCase{62, 0, 0.25, 0},     // E-double-flat
                      KeySpellingCase{71, 0, 0.25, 0},     // C-flat
                      KeySpellingCase{64, 0, 1.0 / 6, 0},  // F-flat
                      KeySpellingCase{60, 11, 0.25, 0},    // B-sharp in E major
                      KeySpellingCase{65, 13, 0.25, 0},    // E-sharp in F-sharp major
                      KeySpellingCase{67, 12, 2.0 / 7, 0}, // F-double-sharp in B major
                      KeySpellingCase{65, 8, 0.25, 0},     // F with a natural
                      KeySpellingCase{66, 7, 0.25, 0}));   // F-sharp in C major

TEST(PitchTable, NonFinitePitchDoesNotHang) {
    FrequencyRecord t;
    t.Compute(0.25, std::numeric_limits<double>::infinity());
    EXPECT_FALSE(std::isfinite(freq(t, 69)));
}

} // namespace

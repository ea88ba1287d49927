// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cmath>

#include "pitch/FrequencyRecord.h"
#include "pitch/FretDistribution.h"
#include "pitch/FretRecord.h"
#include "pitch/Intervals.h"
#include "pitch/Temperaments.h"

using namespace vorn;

namespace {

FretRecord prepared(double length, const FretChoices& choices = DefaultMiFa, int open = 60) {
    FretRecord r;
    r.Length = length;
    r.OpenNote = NoteValue{open, 0, 0};
    r.Choices = choices;
    r.Prepare();
    return r;
}

double rounded2(double v) {
    return std::nearbyint(v * 100.0) / 100.0;
}

struct DistanceCase {
    const char* label;
    double fraction;
    double main[14];
    double alt[14];
};

class FretDistanceTest : public ::testing::TestWithParam<DistanceCase> {};

TEST_P(FretDistanceTest, MainAndAlternativeAtSixtyCentimetres) {
    const DistanceCase& c = GetParam();
    const double F = TemperedFifth(c.fraction);
    const FretRecord r = prepared(60);
    for (int fret = 1; fret <= 14; ++fret) {
        EXPECT_DOUBLE_EQ(rounded2(FretDistance(60, MainCents(r, F, fret))), c.main[fret - 1])
            << c.label << " main fret " << fret;
        EXPECT_DOUBLE_EQ(rounded2(FretDistance(60, AltCents(r, F, fret))), c.alt[fret - 1])
            << c.label << " alt fret " << fret;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Temperaments, FretDistanceTest,
    ::testing::Values(DistanceCase{"quarter comma",
                                   0.25,
                                   {3.92, 6.33, 9.84, 12.00, 15.14, 17.07, 19.88, 22.50, 24.11,
                                    26.46, 27.90, 30.00, 31.96, 33.17},
                                   {2.58, 7.59, 8.64, 13.12, 15.14, 18.07, 19.88, 21.60, 24.95,
                                    25.65, 28.65, 30.00, 31.29, 33.17}},
                      DistanceCase{"eleventh comma",
                                   1.0 / 11.0,
                                   {3.37, 6.55, 9.55, 12.38, 15.05, 17.57, 19.95, 22.20, 24.32,
                                    26.33, 28.22, 30.00, 31.68, 33.27},
                                   {3.37, 6.55, 9.55, 12.38, 15.05, 17.57, 19.95, 22.20, 24.32,
                                    26.33, 28.22, 30.00, 31.68, 33.27}}));

TEST(Frets, PureFifthsPutFaNearerTheNut) {
    const FretRecord r = prepared(60);
    const double pure = TemperedFifth(0);
    EXPECT_DOUBLE_EQ(rounded2(FretDistance(60, MainCents(r, pure, 1))), 3.05);
    EXPECT_DOUBLE_EQ(rounded2(FretDistance(60, AltCents(r, pure, 1))), 3.81);
    for (int id = 0; id <= 7; ++id) {
        const double F = TemperedFifth(TemperamentFraction(id));
        EXPECT_GT(FretDistance(60, MainCents(r, F, 1)), FretDistance(60, AltCents(r, F, 1)))
            << "temperament " << id;
    }
}

TEST(Frets, TwelfthAtHalfAndSeventhAtTheFifthWhateverTheChoices) {
    const FretChoices allMi{};
    FretChoices allFa;
    allFa.fill(fc_fa);
    for (const FretChoices& ch : {DefaultMiFa, allMi, allFa}) {
        const FretRecord r = prepared(63.5, ch);
        const double F = TemperedFifth(0.2);
        EXPECT_DOUBLE_EQ(FretDistance(63.5, MainCents(r, F, 12)), 63.5 / 2);
        EXPECT_NEAR(FretDistance(63.5, MainCents(r, F, 7)), 63.5 * (1 - std::pow(2, -F / 1200)),
                    1e-12);
        EXPECT_EQ(r.Entry(12).Choice, fc_fixed);
        for (int fret : {5, 7, 12, 14})
            EXPECT_EQ(MainType(r.Entry(fret)), AltType(r.Entry(fret))) << fret;
    }
}

TEST(Frets, PrepareFillsNotesAndRepeatsChoicesAboveTheOctave) {
    FretChoices ch = DefaultMiFa;
    ch[0] = fc_mi;
    ch[1] = fc_fa;
    const FretRecord r = prepared(60, ch, 55);
    for (int fret = 1; fret <= 14; ++fret) {
        const FretEntry e = r.Entry(fret);
        EXPECT_EQ(e.Fret, fret);
        EXPECT_EQ(e.Note.Number, 55 + fret);
        EXPECT_EQ(e.Note.SpellingFixed, 1);
        EXPECT_DOUBLE_EQ(e.Length, 60);
    }
    EXPECT_EQ(r.Entry(13).Choice, ch[0]);
    EXPECT_EQ(r.Entry(14).Choice, ch[1]);
    EXPECT_EQ(MainType(r.Entry(1)), 0); // Mi: chromatic semitone
    EXPECT_EQ(MainType(r.Entry(13)), 23);
}

TEST(Temperaments, NamesListAndFractions) {
    const std::string list = TemperamentList();
    int items = 1;
    for (size_t p = list.find("\r\n"); p != std::string::npos; p = list.find("\r\n", p + 2))
        ++items;
    EXPECT_EQ(items, 10);
    EXPECT_EQ(list.substr(list.size() - 3), "\r\n ");
    EXPECT_EQ(TemperamentName(5, 0), "1/6 Comma (Gerle-Dowland)");
    EXPECT_EQ(TemperamentName(8, 0), "Pythagorian Temperament");
    EXPECT_EQ(TemperamentName(9, 0.23), "     23% Comma Meantone");
    EXPECT_EQ(TemperamentName(9, 0.08), "      8% Comma Meantone");
    EXPECT_EQ(TemperamentName(10, 0.2), "");
    EXPECT_DOUBLE_EQ(TemperamentFraction(5), 1 / 6.05);
    EXPECT_NEAR(TemperedFifth(TemperamentFraction(5)), 698.400, 0.0005);
    EXPECT_NEAR(TemperedFifth(TemperamentFraction(1)), 695.810, 0.0005);
    EXPECT_EQ(TemperamentSliderPosition(2), 50);
}

TEST(Formatting, FixedTwoDecimalsInSeven) {
    EXPECT_EQ(FormatFixed(440), " 440.00");
    EXPECT_EQ(FormatFixed(3.9249), "   3.92");
    EXPECT_EQ(FormatFixed(1082.892), "1082.89");
    EXPECT_EQ(FormatFixed(12345.678), "12345.68");
}

TEST(Distribution, QuarterCommaTopStringRowOne) {
    const FretDistribution d =
        ComputeFretDistribution(NoteValue{60, 0, 0}, 60, 0.25, 440, DefaultMiFa);
    const FretRow& one = d.Rows[0];
    EXPECT_EQ(one.Choice, fc_fa);
    EXPECT_EQ(one.Main.Name, "d-flat");
    EXPECT_EQ(FormatFixed(one.Main.Distance), "   3.92");
    ASSERT_TRUE(one.Alt.has_value());
    EXPECT_EQ(one.Alt->Name, "c-sharp");
    EXPECT_EQ(FormatFixed(one.Alt->Distance), "   2.58");
    EXPECT_NEAR(one.Main.Frequency, 281.600, 0.0005);
    EXPECT_NEAR(one.Alt->Frequency, 275.000, 0.0005);
    EXPECT_EQ(one.Main.IntervalName, "Diatonic Semitone");

    const FretRow& twelve = d.Rows[11];
    EXPECT_FALSE(twelve.Alt.has_value());
    EXPECT_DOUBLE_EQ(twelve.Main.Distance, 30.0);
    EXPECT_EQ(twelve.Main.Name, "c'");
    EXPECT_EQ(d.OpenName, "c");
}

TEST(Distribution, FretFrequenciesAgreeWithThePitchTable) {
    // Quarter comma from C: the Fa and Mi positions are the flat and sharp notes of the
    // seventeen-note scale one octave up the table.
    const FretDistribution d =
        ComputeFretDistribution(NoteValue{48, 0, 0}, 60, 0.25, 440, DefaultMiFa);
    FrequencyRecord t;
    t.Compute(0.25, 440);
    EXPECT_NEAR(d.Rows[2].Main.Frequency, t.NoteFrequency(NoteValue{51, acc_flat, 1}), 1e-9);
    EXPECT_NEAR(d.Rows[2].Alt->Frequency, t.NoteFrequency(NoteValue{51, acc_sharp, 1}), 1e-9);
    EXPECT_NEAR(d.Rows[9].Main.Frequency, t.NoteFrequency(NoteValue{58, acc_flat, 1}), 1e-9);
    EXPECT_EQ(d.Rows[2].Main.Name, "E-flat");
    EXPECT_EQ(d.Rows[2].Alt->Name, "D-sharp");
    EXPECT_EQ(d.Rows[5].Main.Name, "F-sharp");
    EXPECT_EQ(d.Rows[5].Alt->Name, "G-flat");
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "frets/TemperamentFit.h"
#include "pitch/FretRecord.h"
#include "pitch/Intervals.h"
#include "pitch/Temperaments.h"

using namespace vorn;

namespace {

// Frets 1..11 where the fret record puts them for that fraction and those choices (cm).
FitInput fretsOf(double length, double fraction, const FretChoices& choices) {
    FretRecord r;
    r.Length = length;
    r.Choices = choices;
    r.Prepare();
    FitInput in;
    in.Length = length;
    for (int fret = 1; fret <= 11; ++fret)
        in.Distances[fret - 1] = FretDistance(length, MainCents(r, TemperedFifth(fraction), fret));
    return in;
}

const FretChoices sharpKey = {fc_mi,    fc_mi, fc_fa, fc_mi, fc_fa, fc_mi,
                              fc_fixed, fc_mi, fc_mi, fc_fa, fc_mi};
const FretChoices flatKey = {fc_fa,    fc_mi, fc_fa, fc_fa, fc_fa, fc_fa,
                             fc_fixed, fc_fa, fc_mi, fc_fa, fc_fa};

struct NoisyCase {
    const char* name;
    int temperament;
    double length; // cm
    FretChoices choices;
    std::vector<int> missing; // frets not measured
};

void PrintTo(const NoisyCase& c, std::ostream* os) {
    *os << c.name;
}

class NoisyFrets : public ::testing::TestWithParam<NoisyCase> {};

TEST_P(NoisyFrets, GiveBackFractionAndChoices) {
    const NoisyCase& c = GetParam();
    FitInput in = fretsOf(c.length, TemperamentFraction(c.temperament), c.choices);
    // Up to 0.15 mm either way, as a careful hand with a caliper.
    std::mt19937 gen(static_cast<uint32_t>(c.temperament));
    for (auto& d : in.Distances)
        *d += (static_cast<double>(gen()) / 4294967296.0 - 0.5) * 0.03;
    for (int fret : c.missing)
        in.Distances[fret - 1].reset();

    const FitResult r = FitTemperament(in);
    ASSERT_EQ(r.Refusal, "");
    EXPECT_NEAR(r.CommaFraction, TemperamentFraction(c.temperament), 0.01);
    EXPECT_EQ(r.Nearest, c.temperament);
    EXPECT_LT(r.RmsCents, 1.5);
    ASSERT_EQ(r.Frets.size(), 11 - c.missing.size());
    for (int fret = 1; fret <= 11; ++fret) {
        // Unmeasured frets keep the base choices; so do the frets the fit cannot decide.
        const bool fitted = in.Distances[fret - 1] && FitDecidesFret(fret);
        EXPECT_EQ(int(r.Choices[fret - 1]), int((fitted ? c.choices : DefaultMiFa)[fret - 1]))
            << "fret " << fret;
    }
}

const NoisyCase noisyCases[] = {
    {"ThirdCommaStandard", 0, 60, DefaultMiFa, {}},
    {"QuarterCommaSharpKey", 2, 64, sharpKey, {9}},
    {"FifthCommaFlatKeyFretsMissing", 3, 72.5, flatKey, {1, 5, 10}},
};

INSTANTIATE_TEST_SUITE_P(TemperamentFit, NoisyFrets, ::testing::ValuesIn(noisyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TemperamentFit, QuarterCommaRoundedToTenthsOfMillimetres) {
    for (const FretChoices& choices : {DefaultMiFa, sharpKey}) {
        FitInput in = fretsOf(60, 0.25, choices);
        for (auto& d : in.Distances)
            *d = std::nearbyint(*d * 100) / 100;
        const FitResult r = FitTemperament(in);
        EXPECT_NEAR(r.CommaFraction, 0.25, 0.01);
        EXPECT_EQ(TemperamentName(r.Nearest, 0), "1/4 Comma (Pure major third)");
        EXPECT_EQ(r.Choices, choices);
    }
}

TEST(TemperamentFit, ErrorsAreMeasuredMinusFitted) {
    FitInput in = fretsOf(60, 0.25, DefaultMiFa);
    *in.Distances[10] += 0.1; // fret 11 a millimetre towards the bridge: it sounds sharp
    const FitResult r = FitTemperament(in);
    ASSERT_EQ(r.Frets.size(), 11u);
    const FittedFret& f = r.Frets.back();
    EXPECT_NEAR(f.ErrorMm, (f.Measured - f.Fitted) * 10, 1e-12);
    EXPECT_GT(f.ErrorMm, 0.5);
    // Near fret 11 a millimetre is about 1200 / ln 2 * 0.1 / (60 - 27.9) = 5.4 cents.
    EXPECT_NEAR(f.ErrorCents, f.ErrorMm / 10 * 1200 / std::log(2.0) / (60 - f.Measured), 0.05);
    double sum = 0;
    for (const FittedFret& x : r.Frets)
        sum += x.ErrorCents * x.ErrorCents;
    EXPECT_NEAR(r.RmsCents, std::sqrt(sum / 11), 1e-12);
}

TEST(TemperamentFit, Refusals) {
    struct Case {
        double length;
        int fret;        // 0: none changed
        double distance; // cm
        int measured;    // frets 1..measured kept
        const char* says;
    } cases[] = {
        {60, 0, 0, 2, "at least 3 frets (2 given)"},
        {19.9, 0, 0, 11, "19.9 cm is outside 20..120 cm"},
        {120.5, 0, 0, 11, "outside 20..120"},
        {NAN, 0, 0, 11, "outside 20..120"},
        {60, 3, 0, 11, "Fret 3 at 0 cm"},
        {60, 1, -0.5, 11, "Fret 1 at -0.5 cm"},
        {60, 11, 33.5, 11, "Fret 11 at 33.5 cm is not between the nut and 33 cm"},
        {60, 2, NAN, 11, "Fret 2 at ?"},
        // Frets follow each other from the nut: a smaller or equal figure is refused.
        {60, 8, 10, 11, "Fret 8 at 10 cm is not further from the nut than fret 7 at"},
        {60, 2, 3.4, 11, "Fret 2 at 3.4 cm is not further from the nut than fret 1 at"},
        // Just inside every limit.
        {20, 3, 10.999, 3, ""},
        {120, 0, 0, 11, ""},
    };
    for (const Case& c : cases) {
        FitInput in = fretsOf(std::isnan(c.length) ? 60 : c.length, 0.25, DefaultMiFa);
        in.Length = c.length;
        if (c.fret)
            in.Distances[c.fret - 1] = c.distance;
        for (int i = c.measured; i < 11; ++i)
            in.Distances[i].reset();
        const FitResult r = FitTemperament(in);
        if (*c.says == 0) {
            EXPECT_EQ(r.Refusal, "") << c.length;
            EXPECT_EQ(r.Frets.size(), size_t(c.measured));
        } else {
            EXPECT_NE(r.Refusal.find(c.says), std::string::npos) << c.says << ": " << r.Refusal;
            EXPECT_TRUE(r.Frets.empty()) << c.says;
        }
    }
}

// What the calculator and the window read: either a refusal quoting at most a short piece of
// the text, or the distances of a fit that is itself checked.
TEST(TemperamentFit, ReadingTheTypedFigures) {
    const std::string huge(60000, '7');
    struct Case {
        std::string length, frets;
        const char* says; // empty: read
    } cases[] = {
        {"60", "3.5,3.5,3.5", ""}, // read, then refused by the fit (below)
        {"60", ",,,,,,,,4,5,6", ""},
        {"60", "", ""},
        {"sixty", "1,2,3", "The string length 'sixty' is not a number"},
        {"60", "3.92,x,9.84", "Fret 2: 'x' is not a number"},
        {"60", "1,2,3,4,5,6,7,8,9,10,11,12", "are more than eleven"},
        {"60", "3.92," + huge, "Fret 2: '7777777777777777777777777777777777777777\xE2\x80\xA6'"},
        {huge, "1,2,3", "The string length '7777777777777777777777777777777777777777\xE2\x80\xA6'"},
        {"60", huge + ",1,2,3,4,5,6,7,8,9,10,11", "Fret 1: '777"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frets.substr(0, 50));
        FitInput in;
        const std::string refusal = ReadFitInput(c.length, c.frets, in);
        if (*c.says == 0) {
            EXPECT_EQ(refusal, "");
            EXPECT_EQ(in.Length, 60);
        } else {
            EXPECT_NE(refusal.find(c.says), std::string::npos) << refusal.substr(0, 200);
            EXPECT_LT(refusal.size(), 120u);
            EXPECT_EQ(in.Length, 0); // left as it was
        }
    }
}

// What the fit refuses or doubts, from the figures as typed.
TEST(TemperamentFit, RefusesWhatCannotBeFrets) {
    struct Case {
        const char* frets;
        const char* refusal; // empty: fitted, but doubted
    } cases[] = {
        {"3.5,3.5,3.5", "Fret 2 at 3.5 cm is not further from the nut than fret 1"},
        {"10,5,3", "Fret 2 at 5 cm is not further from the nut than fret 1 at 10 cm"},
        {"3.4,6.6,,,,,,,,4,5", "Fret 10 at 4 cm is not further from the nut than fret 2"},
        {",,,,,,,17.56,,,", "at least 3 frets (1 given)"},
        {"", "at least 3 frets (0 given)"},
        {"3.37,60,70", "Fret 2 at 60 cm is not between the nut and 33 cm"},
        // On the string and in order, but nowhere near where frets 9 to 11 go.
        {",,,,,,,,4,5,6", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frets);
        FitInput in;
        ASSERT_EQ(ReadFitInput("60", c.frets, in), "");
        const FitResult r = FitTemperament(in);
        EXPECT_NE(r.Refusal.find(c.refusal), std::string::npos) << r.Refusal;
        EXPECT_EQ(r.Refusal.empty(), *c.refusal == 0) << r.Refusal;
        EXPECT_EQ(r.Doubt.empty(), *c.refusal != 0) << r.Doubt;
        EXPECT_FALSE(r.Plausible());
    }
}

// A slip of half a millimetre either way on every fret is trusted; one fret misread by 2.5 cm
// is named (by less, a two-position fret may land near its other position, a diesis away).
TEST(TemperamentFit, OutlierIsNamed) {
    for (const int misread : {0, 1, 6, 11}) {
        SCOPED_TRACE(misread);
        FitInput in = fretsOf(60, 0.25, DefaultMiFa);
        for (int i = 0; i < 11; ++i)
            *in.Distances[i] += i % 2 ? 0.05 : -0.05;
        if (misread)
            *in.Distances[misread - 1] += 2.5;
        const FitResult r = FitTemperament(in);
        ASSERT_EQ(r.Refusal, "");
        EXPECT_EQ(r.Outlier, misread);
        EXPECT_EQ(r.Plausible(), misread == 0) << r.Doubt;
        if (misread) {
            EXPECT_EQ(r.Doubt.rfind("Fret " + std::to_string(misread) + " at ", 0), 0u) << r.Doubt;
        }
    }
}

// The threshold stands well above what a careful measurement can be off: 0.5 mm at fret 1 and
// fret 11 of a 60 cm string and at fret 11 of a 30 cm one.
TEST(TemperamentFit, OutlierThresholdIsWellAboveMeasuringError) {
    const auto slip = [](double length, int fret) {
        const double d = length * (1 - std::pow(2.0, -fret / 12.0));
        return 1200 * std::log2((length - d) / (length - d - 0.05));
    };
    EXPECT_NEAR(slip(60, 1), 1.5, 0.05);
    EXPECT_NEAR(slip(60, 11), 2.7, 0.05);
    EXPECT_GT(FitOutlierCents, 5 * slip(60, 11));
    EXPECT_GT(FitOutlierCents, 2.5 * slip(30, 11));
}

TEST(TemperamentFit, SliderTemperamentOfFittedFractions) {
    struct Case {
        double fraction;
        int position, identifier;
        double applied;
    } cases[] = {
        {0.25, 50, 2, 0.25},     {0.248, 50, 2, 0.25},     {0.247, 49, 9, 0.245},
        {0.167, 34, 4, 1 / 6.0}, {0.165, 33, 5, 1 / 6.05}, {0.172, 34, 4, 1 / 6.0},
        {0.002, 0, 8, 0.0},      {0.003, 1, 9, 0.005},     {0.34, 68, 0, 1 / 3.0},
    };
    for (const Case& c : cases) {
        const SliderTemperament t = SliderTemperamentOf(c.fraction);
        EXPECT_EQ(t.Position, c.position) << c.fraction;
        EXPECT_EQ(t.Identifier, c.identifier) << c.fraction;
        EXPECT_NEAR(t.Fraction, c.applied, 1e-12) << c.fraction;
    }
}

} // namespace

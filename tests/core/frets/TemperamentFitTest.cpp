// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

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
        // Just inside every limit.
        {20, 1, 10.999, 3, ""},
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

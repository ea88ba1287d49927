// SPDX-License-Identifier: GPL-3.0-or-later

// How close a plain string is to breaking: f·L, the margin in semitones, the warnings and the
// highest frequency a length allows.
#include <gtest/gtest.h>

#include <cmath>

#include "strings/StringRecord.h"

namespace vorn {
namespace {

struct MarginCase {
    double f;      // Hz
    double L;      // cm
    double index;  // Hz·m
    double fL;     // Hz·m
    double margin; // semitones
    BreakWarning warning;
};

class BreakMargins : public ::testing::TestWithParam<MarginCase> {};

TEST_P(BreakMargins, FigureAndWarning) {
    const MarginCase& c = GetParam();
    const double fL = FrequencyLength(c.f, c.L);
    EXPECT_NEAR(fL, c.fL, 1e-9);
    const double margin = BreakMargin(c.index, fL);
    EXPECT_NEAR(margin, c.margin, 0.005);
    EXPECT_EQ(WarningFor(margin), c.warning);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Strings, BreakMargins, ::testing::Values(
    MarginCase{392, 60, 260, 235.2, 1.74, bw_near},        // a 60 cm chanterelle on g'
    MarginCase{406.25, 64, 260, 260, 0, bw_close},         // at breaking
    MarginCase{440, 64, 260, 281.6, -1.38, bw_close},      // beyond it: negative
    MarginCase{293.66, 64, 260, 187.9424, 5.62, bw_none},  // a second course d'
    MarginCase{392, 60, 275, 235.2, 2.71, bw_none}));      // the same string in carbon
// clang-format on

TEST(Breaking, WarningsChangeAtOneAndTwoSemitones) {
    EXPECT_EQ(WarningFor(0.999), bw_close);
    EXPECT_EQ(WarningFor(1), bw_near);
    EXPECT_EQ(WarningFor(1.999), bw_near);
    EXPECT_EQ(WarningFor(2), bw_none);
    EXPECT_EQ(WarningFor(std::nan("")), bw_none);
    EXPECT_TRUE(std::isnan(BreakMargin(0, 200))); // a material without an index
    EXPECT_TRUE(std::isnan(BreakMargin(260, 0)));
}

TEST(Breaking, HighestFrequencyAtALength) {
    EXPECT_EQ(BreakingFrequency(260, 64, 0), 406.25); // exactly index / L
    EXPECT_DOUBLE_EQ(BreakingFrequency(260, 64, 12), 203.125);
    // One semitone to spare is the breaking frequency a tempered semitone lower.
    EXPECT_DOUBLE_EQ(BreakingFrequency(260, 64, 1) * std::exp2(1.0 / 12), 406.25);
    // The margin at that frequency is the margin asked for.
    EXPECT_NEAR(BreakMargin(260, FrequencyLength(BreakingFrequency(260, 64, 2.5), 64)), 2.5, 1e-12);
}

TEST(Breaking, RowFiguresForGutAndItsAlternative) {
    StringSettings settings;
    StringRecord row;
    row.Frequency = 392;
    row.Length = 60;
    struct {
        const char* alt;
        bool hasMargin;
        double margin;
    } cases[] = {{"Nylon", true, 1.74},
                 {"Carbon PVF", true, 2.71},
                 {"Savarez", false, 0},
                 {"Aquila", false, 0},
                 {"Copper", true, -13.96}};
    for (const auto& c : cases) {
        row.AltChoice = c.alt;
        const BreakFigures figures = BreakingOf(row, settings.Materials);
        EXPECT_NEAR(figures.FL, 235.2, 1e-4) << c.alt;
        EXPECT_NEAR(figures.GutMargin, 1.74, 0.005) << c.alt;
        ASSERT_EQ(figures.AltMargin.has_value(), c.hasMargin) << c.alt;
        if (c.hasMargin) {
            EXPECT_NEAR(*figures.AltMargin, c.margin, 0.005) << c.alt;
        }
    }

    // A material given no index (0) shows no margin; a gut without one, no gut margin.
    settings.Materials[1].BreakingIndex = 0;
    settings.Materials[0].BreakingIndex = 0;
    row.AltChoice = "Nylon";
    const BreakFigures none = BreakingOf(row, settings.Materials);
    EXPECT_FALSE(none.AltMargin.has_value());
    EXPECT_TRUE(std::isnan(none.GutMargin));
}

TEST(Breaking, ShownFiguresAreRoundedOnce) {
    EXPECT_EQ(ShownFrequencyLength(251.34), 251.3);
    EXPECT_EQ(ShownFrequencyLength(227.96), 228);
    EXPECT_EQ(ShownBreakMargin(1.7449), 1.74);
    EXPECT_EQ(ShownBreakMargin(-0.005001), -0.01);
    EXPECT_TRUE(std::isnan(ShownBreakMargin(std::nan(""))));
}

TEST(Breaking, DefaultIndexesByKindAndName) {
    const TStringMaterialCollection defaults = TStringMaterialCollection::Defaults();
    for (const TStringMaterialItem& m : defaults.Items()) {
        EXPECT_GT(m.BreakingIndex, 0) << m.Name;
        EXPECT_EQ(DefaultBreakingIndex(m.Name, m.Kind), m.BreakingIndex) << m.Name;
    }
    EXPECT_EQ(defaults.Reference().BreakingIndex, 260);
    // A material of the user's starts as gut, also under a protected kind's name.
    EXPECT_EQ(DefaultBreakingIndex("Silk", mk_other), 260);
    EXPECT_EQ(DefaultBreakingIndex("Nylon", mk_other), 260);
    EXPECT_EQ(DefaultBreakingIndex("My gut", mk_gut), 260);
    EXPECT_EQ(defaults.BreakingIndexOf("Kuerschner"), 0);
}

} // namespace
} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

// What the string chart's rows and tension profile make of a string close to breaking.
#include <gtest/gtest.h>

#include "chart/TensionProfile.h"
#include "support/ChartFixture.h"

namespace vorn {
namespace {

using testing::Chart;

// The alto lute in G at 64 cm: its chanterelle g' (392.72 Hz in meantone) is 0.59 semitones
// below gut's breaking index.
TEST(NearBreaking, RowsWarnByLengthAndTellTheFigures) {
    Chart c;
    TOneCrsPanel& first = c.course(1);
    const TStringMaterialCollection& materials = c.settings.Materials;
    const struct {
        double length;
        BreakWarning warning;
        const char* hint;
    } cases[] = {
        {64, bw_close, "f\u00B7L 251.3 Hz\u00B7m, 0.59 semitones below breaking"},
        {60, bw_near, "f\u00B7L 235.6 Hz\u00B7m, 1.7 semitones below breaking"},
        {55, bw_none, "f\u00B7L 216 Hz\u00B7m, 3.21 semitones below breaking"},
        {70, bw_close, "f\u00B7L 274.9 Hz\u00B7m, 0.97 semitones above breaking"},
    };
    for (const auto& k : cases) {
        first.EditLength(k.length);
        EXPECT_EQ(first.First.GutBreakWarning(materials), k.warning) << k.length;
        EXPECT_EQ(first.First.GutDiameterHint(materials), k.hint);
        // Nylon's index is gut's: the alternative warns alike.
        EXPECT_EQ(first.First.AltBreakWarning(materials), k.warning) << k.length;
    }
    // The second course is far from breaking; a bass on a maker's wound string has no
    // alternative margin at all.
    EXPECT_EQ(c.course(2).First.BreakWarningOf(materials), bw_none);
    EXPECT_EQ(c.course(6).First.Rec.AltChoice, "Savarez");
    EXPECT_FALSE(c.course(6).First.Breaking(materials).AltMargin.has_value());
}

TEST(NearBreaking, AnAlternativeCloserToBreakingThanGutMarksTheString) {
    Chart c;
    TOneCrsPanel& first = c.course(1);
    first.EditLength(55);                        // gut 3.21 semitones below
    c.settings.Materials[1].BreakingIndex = 230; // nylon: 1.09 below
    const TStringMaterialCollection& materials = c.settings.Materials;
    EXPECT_EQ(first.First.GutBreakWarning(materials), bw_none);
    EXPECT_EQ(first.First.AltBreakWarning(materials), bw_near);
    EXPECT_EQ(first.First.BreakWarningOf(materials), bw_near);
}

TEST(NearBreaking, ProfileMarksTheSameStrings) {
    Chart c;
    const std::vector<ProfileBar> bars = TensionProfile(c.chart);
    ASSERT_FALSE(bars.empty());
    for (const ProfileBar& bar : bars) {
        const TOneStringPanel& s = c.course(bar.Course).String(bar.Octave ? 1 : 0);
        EXPECT_EQ(bar.Breaking, s.BreakWarningOf(c.settings.Materials)) << bar.Label;
    }
    EXPECT_EQ(bars.front().Breaking, bw_close);
    EXPECT_EQ(bars.back().Breaking, bw_none);
}

} // namespace
} // namespace vorn

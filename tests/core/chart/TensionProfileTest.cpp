// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "chart/TensionProfile.h"
#include "support/ChartFixture.h"

namespace vorn {
namespace {

using testing::Chart;

TEST(TensionProfile, OneBarPerStringWithItsRangeAndRed) {
    Chart lute; // the alto lute: courses 6..10 carry octave strings
    const std::vector<ProfileBar> bars = TensionProfile(lute.chart);
    int strings = 0;
    for (const auto& course : lute.chart.Courses)
        strings += course->HasSecond() ? 2 : 1;
    ASSERT_EQ(static_cast<int>(bars.size()), strings);
    EXPECT_EQ(bars[0].Course, 1);
    EXPECT_FALSE(bars[0].Octave);
    EXPECT_EQ(bars[6].Course, 6);
    EXPECT_TRUE(bars[6].Octave);
    EXPECT_EQ(bars[6].Label,
              "Course 6 octave: " + lute.course(6).Second->TensionText(lute.settings) + " kg.");
    EXPECT_DOUBLE_EQ(bars[0].Tension, lute.course(1).First.ShownTension(lute.settings));
    // Gut's 20..200 N in kilogram-force, two decimals.
    EXPECT_DOUBLE_EQ(bars[0].Min, 2.04);
    EXPECT_DOUBLE_EQ(bars[0].Max, 20.39);
    double tallest = 0;
    for (const ProfileBar& b : bars)
        tallest = std::max(tallest, b.Tension);
    EXPECT_DOUBLE_EQ(ProfileTop(bars), tallest * 1.25);

    lute.course(1).EditTension(0, 24.0); // above what gut takes
    const std::vector<ProfileBar> after = TensionProfile(lute.chart);
    EXPECT_TRUE(after[0].OutOfRange);
    EXPECT_DOUBLE_EQ(after[0].Tension, 24.0);
    EXPECT_DOUBLE_EQ(ProfileTop(after), 30.0);
    EXPECT_FALSE(after[1].OutOfRange);
}

// Round steps, three to six marks, the top never left without a mark below it.
TEST(TensionProfile, ScaleMarksAtRoundSteps) {
    const struct {
        double top;
        std::vector<std::string> texts;
    } cases[] = {
        {4.46, {"0", "1", "2", "3", "4"}},
        {30, {"0", "10", "20", "30"}},
        {250, {"0", "50", "100", "150", "200", "250"}},
        {0.9, {"0.0", "0.2", "0.4", "0.6", "0.8"}},
        {1, {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
        {1e9, {"0", "200000000", "400000000", "600000000", "800000000", "1000000000"}},
        {0, {}},
        {-3, {}},
        {std::numeric_limits<double>::quiet_NaN(), {}},
        {std::numeric_limits<double>::infinity(), {}},
    };
    for (const auto& c : cases) {
        const std::vector<ProfileTick> ticks = ProfileTicks(c.top);
        std::vector<std::string> texts;
        for (const ProfileTick& t : ticks) {
            texts.push_back(t.Text);
            EXPECT_LE(t.Value, c.top * (1 + 1e-9)) << c.top;
        }
        EXPECT_EQ(texts, c.texts) << c.top;
    }
}

TEST(TensionProfile, LegendNamesTheGutRangeInTheDisplayUnit) {
    Chart lute;
    std::vector<ProfileBar> bars = TensionProfile(lute.chart);
    for (ProfileBar& b : bars)
        b.Breaking = bw_none;
    const std::vector<ProfileLegendEntry> kg = ProfileLegend(bars, lute.settings.TensionUnit);
    ASSERT_EQ(kg.size(), 3u);
    EXPECT_EQ(kg[0].Key, pk_band);
    EXPECT_EQ(kg[0].Text, "Gut range 2.04 to 20.39 kg.");
    EXPECT_EQ(kg[2].Key, pk_beyond);
    // A cap is explained once one is drawn.
    bars.back().Breaking = bw_near;
    const std::vector<ProfileLegendEntry> capped = ProfileLegend(bars, lute.settings.TensionUnit);
    ASSERT_EQ(capped.size(), 4u);
    EXPECT_EQ(capped[3].Key, pk_breaking);
    EXPECT_EQ(ProfileAxisTitle(lute.settings.TensionUnit), "Tension (kg.)");
    EXPECT_TRUE(ProfileLegend({}, 0).empty());
}

} // namespace
} // namespace vorn

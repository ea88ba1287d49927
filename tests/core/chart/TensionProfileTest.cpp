#include <gtest/gtest.h>

#include <algorithm>

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

} // namespace
} // namespace vorn

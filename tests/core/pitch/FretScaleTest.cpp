// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <string>

#include "pitch/FretScale.h"

using namespace vorn;

namespace {

struct RuleFret {
    FretRule rule;
    int fret;
    double cm; // from the nut on a 60 cm string, as the sources give it to four decimals
};

class RulePositions : public ::testing::TestWithParam<RuleFret> {};

TEST_P(RulePositions, AtSixtyCentimetres) {
    const RuleFret& c = GetParam();
    const ScaleFret f = ScaleFretOf(RuleScale(c.rule), c.fret);
    EXPECT_NEAR(60 * f.Position, c.cm, 5e-5);
    EXPECT_FALSE(f.Fa);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(FretScale, RulePositions, ::testing::Values(
    RuleFret{fr_dowland, 1, 3.6364}, RuleFret{fr_dowland, 2, 6.6667},
    RuleFret{fr_dowland, 3, 9.0909}, RuleFret{fr_dowland, 4, 12.0455},
    RuleFret{fr_dowland, 5, 15.0000}, RuleFret{fr_dowland, 6, 17.5000},
    RuleFret{fr_dowland, 7, 20.0000}, RuleFret{fr_dowland, 8, 22.4242},
    RuleFret{fr_dowland, 9, 24.4444}, RuleFret{fr_dowland, 10, 26.0606},
    // Ours: halfway between fret 10 and the octave, 185/396 of the string.
    RuleFret{fr_dowland, 11, 28.0303}, RuleFret{fr_dowland, 12, 30.0000},
    RuleFret{fr_dowland, 13, 31.8182}, RuleFret{fr_dowland, 14, 33.3333},
    RuleFret{fr_galilei, 1, 3.3333}, RuleFret{fr_galilei, 2, 6.4815},
    RuleFret{fr_galilei, 6, 17.4196}, RuleFret{fr_galilei, 11, 28.0043},
    RuleFret{fr_galilei, 12, 30.0000}, RuleFret{fr_galilei, 13, 31.6667},
    RuleFret{fr_galilei, 14, 33.2407}),
    [](const auto& info) {
        return FretRuleKey(info.param.rule) + std::to_string(info.param.fret);
    });
// clang-format on

TEST(FretScale, RulesAreNamedAndDowlandSaysWhereFretElevenIs) {
    for (int r = 0; r < FretRuleCount; ++r) {
        const auto rule = static_cast<FretRule>(r);
        const FretScale s = RuleScale(rule);
        EXPECT_TRUE(IsUsableScale(s)) << FretRuleKey(rule);
        EXPECT_FALSE(s.Name.empty());
        EXPECT_FALSE(s.Source.empty());
        EXPECT_EQ(FretRuleOfKey(FretRuleKey(rule)), rule);
    }
    EXPECT_EQ(FretRuleOfKey("Dowland"), fr_dowland);
    EXPECT_FALSE(FretRuleOfKey("bach"));
    EXPECT_FALSE(FretRuleOfKey(""));
    EXPECT_NE(RuleScale(fr_dowland).Remark.find("185/396"), std::string::npos);
    EXPECT_FALSE(RuleScale(fr_dowland) == RuleScale(fr_galilei));
    EXPECT_TRUE(RuleScale(fr_galilei) == RuleScale(fr_galilei));
}

TEST(FretScale, SeventeenNotesPairMiAndFaByTheFifth) {
    // A meantone-like scale (narrow fifth): the Mi is the lower of each pair; with a wide
    // fifth (Pythagorean) it is the upper.
    FretScale narrow;
    narrow.Notes = 17;
    narrow.Cents = {76,  117, 193, 269, 310, 386,  503,  579, 621,
                    697, 772, 814, 890, 966, 1007, 1083, 1200};
    FretScale wide = narrow;
    wide.Cents = {90,  114, 204, 294, 318, 408,  498,  588, 612,
                  702, 792, 816, 906, 996, 1020, 1110, 1200};
    ASSERT_TRUE(IsUsableScale(narrow));
    ASSERT_TRUE(IsUsableScale(wide));
    const ScaleFret n1 = ScaleFretOf(narrow, 1);
    ASSERT_TRUE(n1.Fa);
    EXPECT_DOUBLE_EQ(n1.Position, FractionOfCents(76));
    EXPECT_DOUBLE_EQ(*n1.Fa, FractionOfCents(117));
    const ScaleFret w10 = ScaleFretOf(wide, 10);
    ASSERT_TRUE(w10.Fa);
    EXPECT_DOUBLE_EQ(w10.Position, FractionOfCents(1020));
    EXPECT_DOUBLE_EQ(*w10.Fa, FractionOfCents(996));
    // The one-note frets take the naturals, fret 13 both sides of fret 1 an octave up.
    EXPECT_DOUBLE_EQ(ScaleFretOf(narrow, 4).Position, FractionOfCents(386));
    EXPECT_DOUBLE_EQ(ScaleFretOf(narrow, 11).Position, FractionOfCents(1083));
    EXPECT_DOUBLE_EQ(*ScaleFretOf(narrow, 13).Fa, 0.5 + 0.5 * FractionOfCents(117));
    EXPECT_FALSE(ScaleFretOf(narrow, 14).Fa);

    // Anything not a usable scale gives no frets rather than reading past its notes.
    FretScale broken = narrow;
    broken.Cents.pop_back();
    EXPECT_FALSE(IsUsableScale(broken));
    EXPECT_EQ(ScaleFretOf(broken, 1), ScaleFret{});
    EXPECT_EQ(ScaleFretOf(narrow, 15), ScaleFret{});
}

} // namespace

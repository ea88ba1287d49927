#include <optional>
#include <stdexcept>

#include <gtest/gtest.h>

#include "strings/StringRecord.h"

namespace vorn {
namespace {

// Expected values are worked out from the formulas with every field rounded to its digits
// and stored as a 32-bit float before the next step reads it.
StringSettings DefaultSettings() {
    return {};
}

StringRecord G392(float tensionKg, float gut, std::optional<float> alt = 0.0f) {
    StringRecord row;
    row.Frequency = 392;
    row.Length = 60;
    row.Tension = tensionKg;
    row.TensionUnit = tt_kilograms;
    row.GutDiameter = gut;
    row.AltChoice = "Nylon";
    row.AltDiameter = alt;
    return row;
}

struct RecalcCase {
    const char* what;
    RecalcMode mode;
    bool fromAlternative;
    StringRecord row;
    float length, tension, gut, alt;
};

class RecalculateModes : public ::testing::TestWithParam<RecalcCase> {};

TEST_P(RecalculateModes, SolvesAndFollowsWithTheOtherDiameter) {
    const auto& c = GetParam();
    StringRecord row = c.row;
    Recalculate(row, c.mode, c.fromAlternative, DefaultSettings());
    EXPECT_EQ(row.Length, c.length);
    EXPECT_EQ(row.Tension, c.tension);
    EXPECT_EQ(row.GutDiameter, c.gut);
    ASSERT_TRUE(row.AltDiameter.has_value());
    EXPECT_EQ(*row.AltDiameter, c.alt);
    EXPECT_TRUE(row.UpdatesEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, RecalculateModes,
    ::testing::Values(
        RecalcCase{"tension", rm_tension, false, G392(5, 1.0f), 60, 23.92f, 1.0f, 1.118f},
        RecalcCase{"diameter", rm_diameter, false, G392(23.92f, 0), 60, 23.92f, 1.0f, 1.118f},
        RecalcCase{"length", rm_length, false, G392(23.92f, 1.0f), 59.99f, 23.92f, 1.0f, 1.118f},
        RecalcCase{"tension_from_nylon", rm_tension, true, G392(5, 0, 1.118f), 60, 23.92f, 1.0f,
                   1.118f},
        // An unreadable alternative diameter counts as 0.01 mm of nylon.
        RecalcCase{"length_from_unreadable", rm_length, true, G392(23.92f, 1.0f, std::nullopt),
                   6707.61f, 23.92f, 0.009f, 0.01f},
        // d = 0 would give an infinite length: the field keeps what it had.
        RecalcCase{"length_from_zero", rm_length, true, G392(23.92f, 0, 0.0f), 60, 23.92f, 1.0f,
                   0.0f},
        // With no length the diameter is 0/0: the alternative field falls back to 0.01.
        RecalcCase{"no_length", rm_tension, false,
                   [] {
                       auto r = G392(5, 1.0f);
                       r.Length = 0;
                       return r;
                   }(),
                   0, 0, 1.0f, 0.01f}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(Recalculate, AlternativeFollowsTheTensionAsDisplayed) {
    // At 100 Hz gut 1 mm gives 1.5914 kg, shown as 1.56: nylon for the shown tension is
    // 1.119 mm, for the unrounded one it would be 1.118 mm.
    StringRecord row = G392(5, 1.0f);
    row.Frequency = 100;
    Recalculate(row, rm_tension, false, DefaultSettings());
    EXPECT_EQ(row.Tension, 1.56f);
    EXPECT_EQ(*row.AltDiameter, 1.119f);
}

TEST(Recalculate, TensionIsReadInTheRowsUnitAndWrittenInTheSettingsUnit) {
    StringSettings s = DefaultSettings();
    s.SetTensionUnit(tt_pounds);
    StringRecord row = G392(23.92f, 0);
    Recalculate(row, rm_diameter, false, s);
    EXPECT_EQ(row.GutDiameter, 1.0f);
    EXPECT_EQ(row.TensionUnit, tt_kilograms);
    Recalculate(row, rm_tension, false, s);
    EXPECT_EQ(row.Tension, 52.74f);
    EXPECT_EQ(row.TensionUnit, tt_pounds);
}

StringRecord InNewtons(double f, float L, float T, const char* choice) {
    StringRecord row;
    row.Frequency = f;
    row.Length = L;
    row.Tension = T;
    row.TensionUnit = tt_newtons;
    row.AltChoice = choice;
    return row;
}

TEST(Recalculate, CatalogueChoiceSearchesAfresh) {
    StringSettings s = DefaultSettings();
    s.SetTensionUnit(tt_newtons);
    StringRecord row = InNewtons(653.65, 60, 340, "Savarez");
    row.CatalogueIndex = 7;
    Recalculate(row, rm_diameter, false, s);
    EXPECT_EQ(row.GutDiameter, 0.722f);
    EXPECT_EQ(row.CatalogueIndex, 1);
    EXPECT_EQ(row.AltText(s.Materials), "NP   55 (345.29 N.)");
}

TEST(Recalculate, KuerschnerIgnoresTheGutDensityOfTheList) {
    StringSettings s = DefaultSettings();
    s.SetTensionUnit(tt_newtons);
    StringRecord row = InNewtons(196, 60, 130.2179412841797f, "Kuerschner");
    Recalculate(row, rm_diameter, false, s);
    EXPECT_EQ(row.GutDiameter, 1.49f);
    EXPECT_EQ(row.AltLabel, "VN 5150 (131.97 N.)");
    s.Materials[0].Density = 1.2f;
    Recalculate(row, rm_diameter, false, s);
    EXPECT_EQ(row.GutDiameter, 1.58f);
    EXPECT_EQ(row.AltLabel, "VN 5150 (131.97 N.)");
}

TEST(Recalculate, UnknownChoiceAndMissingGutFallBackToTheFirstMaterial) {
    StringRecord row = G392(23.92f, 0);
    row.AltChoice = "Tin";
    Recalculate(row, rm_diameter, false, DefaultSettings());
    EXPECT_EQ(row.GutDiameter, 1.0f);
    EXPECT_EQ(*row.AltDiameter, 1.0f);

    StringSettings noGut;
    noGut.Materials.Clear();
    noGut.Materials.Add() = {"Nylon", 1.08f, 200, 20, 0.9f, 0.1f, mk_nylon};
    noGut.Materials.AddMaterial("Copper", 8.89f, 200, 20, 5, 0.1f);
    row.AltChoice = "Nylon";
    Recalculate(row, rm_diameter, false, noGut);
    EXPECT_EQ(row.GutDiameter, 1.118f);
}

TEST(Recalculate, BadDigitsThrowButLeaveUpdatesEnabled) {
    StringSettings s = DefaultSettings();
    s.LengthDigits = 99;
    StringRecord row = G392(23.92f, 1.0f);
    EXPECT_THROW(Recalculate(row, rm_length, false, s), std::out_of_range);
    EXPECT_TRUE(row.UpdatesEnabled);
}

struct LimitCase {
    const char* choice;
    float tensionN, gut;
    std::optional<float> alt;
    LimitState tension, gutState, altState;
};

class Limits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(Limits, EachCellAgainstItsMaterial) {
    const auto& c = GetParam();
    StringSettings s = DefaultSettings();
    s.Materials.AddMaterial("Thin Wire", 7, 100, 30, 0.5f, 0.2f);
    s.Materials.AddMaterial("Fine", 7, 10, 0, 0.5f, 0.2f);
    StringRecord row = InNewtons(392, 60, c.tensionN, c.choice);
    row.GutDiameter = c.gut;
    row.AltDiameter = c.alt;
    RefreshLimits(row, s);
    EXPECT_EQ(row.TensionLimit, c.tension);
    EXPECT_EQ(row.GutDiameterLimit, c.gutState);
    EXPECT_EQ(row.AltDiameterLimit, c.altState);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, Limits,
    ::testing::Values(LimitCase{"Nylon", 150, 1.0f, 0.8f, ls_ok, ls_ok, ls_ok},
                      // Within gut's range but above the alternative's maximum.
                      LimitCase{"Thin Wire", 150, 1.0f, 0.3f, ls_tension_high, ls_ok, ls_ok},
                      LimitCase{"Thin Wire", 25, 1.0f, 0.3f, ls_tension_low, ls_ok, ls_ok},
                      // The reference verdict comes first.
                      LimitCase{"Fine", 15, 1.0f, 0.3f, ls_tension_low, ls_ok, ls_ok},
                      LimitCase{"Nylon", 150, 1.6f, 0.95f, ls_ok, ls_diameter_high,
                                ls_diameter_high},
                      LimitCase{"Copper", 150, 0.05f, 0.95f, ls_ok, ls_diameter_low, ls_ok},
                      LimitCase{"Nylon", 150, 1.0f, std::nullopt, ls_ok, ls_ok, ls_diameter_low},
                      LimitCase{"Savarez", 150, 1.0f, 99.0f, ls_ok, ls_ok, ls_ok},
                      LimitCase{"Tin", 150, 1.0f, 1.6f, ls_ok, ls_ok, ls_diameter_high}));

} // namespace
} // namespace vorn

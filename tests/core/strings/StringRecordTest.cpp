// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <stdexcept>

#include "strings/StringRecord.h"

namespace vorn {
namespace {

// Expected values are worked out from the formulas with every field rounded to its digits
// and stored as a 32-bit float before the next step reads it.
StringSettings DefaultSettings() {
    return {};
}

// Newtons of a tension given in kilogram-force: the grid solved tensions are held on.
float Kgf(long double kg) {
    return static_cast<float>(kg * 9.80665L);
}

StringRecord G392(float newtons, float gut, std::optional<float> alt = 0.0f) {
    StringRecord row;
    row.Frequency = 392;
    row.Length = 60;
    row.TensionN = newtons;
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
    EXPECT_FLOAT_EQ(row.TensionN, c.tension);
    EXPECT_EQ(row.GutDiameter, c.gut);
    ASSERT_TRUE(row.AltDiameter.has_value());
    EXPECT_EQ(*row.AltDiameter, c.alt);
    EXPECT_TRUE(row.UpdatesEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, RecalculateModes,
    ::testing::Values(
        // Gut 1 mm at 60 cm and 392 Hz: 234.6163 N, held as 23.92 kgf in every display unit.
        RecalcCase{"tension", rm_tension, false, G392(50, 1.0f), 60, Kgf(23.92L), 1.0f, 1.118f},
        RecalcCase{"diameter", rm_diameter, false, G392(234.57f, 0), 60, 234.57f, 1.0f, 1.118f},
        RecalcCase{"length", rm_length, false, G392(234.57f, 1.0f), 59.99f, 234.57f, 1.0f, 1.118f},
        RecalcCase{"tension_from_nylon", rm_tension, true, G392(50, 0, 1.118f), 60, Kgf(23.92L),
                   1.0f, 1.118f},
        // An unreadable alternative diameter counts as 0.01 mm of nylon.
        RecalcCase{"length_from_unreadable", rm_length, true, G392(234.57f, 1.0f, std::nullopt),
                   6707.54f, 234.57f, 0.009f, 0.01f},
        // d = 0 would give an infinite length: the field keeps what it had.
        RecalcCase{"length_from_zero", rm_length, true, G392(234.57f, 0, 0.0f), 60, 234.57f, 1.0f,
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

TEST(Recalculate, AlternativeFollowsTheSettledTensionInEveryUnit) {
    // At 100 Hz gut 1 mm gives 15.2681 N, held as 1.56 kgf: nylon for that is 1.119 mm (for
    // the unrounded tension it would be 1.118 mm), whatever unit shows the tension.
    for (VornTensType unit : {tt_kilograms, tt_newtons, tt_pounds}) {
        StringSettings s = DefaultSettings();
        s.SetTensionUnit(unit);
        StringRecord row = G392(5, 1.0f);
        row.Frequency = 100;
        Recalculate(row, rm_tension, false, s);
        EXPECT_FLOAT_EQ(row.TensionN, Kgf(1.56L)) << unit;
        EXPECT_EQ(*row.AltDiameter, 1.119f) << unit;
    }
}

StringRecord InNewtons(double f, float L, float T, const char* choice) {
    StringRecord row;
    row.Frequency = f;
    row.Length = L;
    row.TensionN = T;
    row.AltChoice = choice;
    return row;
}

// The display unit changes what a cell shows and nothing a calculation gives: the same row
// solved under N, kg and lb has the same tension, diameters and catalogue string.
class DisplayUnit : public ::testing::TestWithParam<const char*> {};

TEST_P(DisplayUnit, ChangesNothingARecalculationGives) {
    std::optional<StringRecord> first;
    for (VornTensType unit : {tt_newtons, tt_kilograms, tt_pounds}) {
        StringSettings s = DefaultSettings();
        s.SetTensionUnit(unit);
        // The tension solved from the gut diameter, then everything else from that tension.
        StringRecord row = InNewtons(98.0, 70, 40.0f, GetParam());
        row.GutDiameter = 1.4f;
        Recalculate(row, rm_tension, false, s);
        if (!first) {
            first = row;
            continue;
        }
        EXPECT_EQ(row.TensionN, first->TensionN) << unit;
        EXPECT_EQ(row.GutDiameter, first->GutDiameter) << unit;
        EXPECT_EQ(row.AltDiameter, first->AltDiameter) << unit;
        EXPECT_EQ(row.CatalogueIndex, first->CatalogueIndex) << unit;
    }
}

INSTANTIATE_TEST_SUITE_P(Strings, DisplayUnit,
                         ::testing::Values("Nylon", "Savarez", "Pyramid", "Kuerschner", "Aquila"));

struct ShownCase {
    VornTensType unit;
    double typed;
    float newtons, shown;
};

class TensionEntry : public ::testing::TestWithParam<ShownCase> {};

TEST_P(TensionEntry, TypedInTheUnitHeldInNewtonsShownBack) {
    const auto& c = GetParam();
    const float newtons = TypedTensionNewtons(c.typed, c.unit);
    EXPECT_FLOAT_EQ(newtons, c.newtons);
    EXPECT_EQ(ShownTension(newtons, c.unit, -2), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, TensionEntry,
    ::testing::Values(ShownCase{tt_kilograms, 3.8, 37.265270f, 3.8f},
                      ShownCase{tt_pounds, 10, 44.482216f, 10.0f},
                      ShownCase{tt_newtons, 37.266, 37.266f, 37.27f},
                      // Below the entry minimum (0.1 in the unit) and beyond the maximum.
                      ShownCase{tt_kilograms, 0.05, 0.980665f, 0.1f},
                      ShownCase{tt_newtons, 1e9, 10000.0f, 10000.0f},
                      ShownCase{tt_pounds, std::numeric_limits<double>::quiet_NaN(), 0.44482216f,
                                0.1f}));

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
    StringRecord row = G392(234.57f, 0);
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
    StringRecord row = G392(234.57f, 1.0f);
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

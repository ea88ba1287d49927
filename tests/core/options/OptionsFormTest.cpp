// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "files/FileFrame.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "options/OptionsForm.h"
#include "support/ChangedSettings.h"

using namespace vorn;

namespace {

bool hasItem(const std::vector<std::string>& items, const std::string& name) {
    return std::find(items.begin(), items.end(), name) != items.end();
}

TEST(OptionsForm, CancelAndUneditedOkLeaveTheSettingsByteForByte) {
    TGlobalData live;
    live.DefaultMaker = "Hieber";
    live.ShowAlternativeFrets = 1;
    live.WindowWidth = 777;
    const std::string before = vorn::testing::SettingsBytes(live);

    TOptionsForm form;
    form.Load(live);
    form.SetUnit(tt_pounds);
    form.SetAssignmentTension(0, 9.5);
    form.DefaultAssignments();
    form.SetPrecision(1, 2);
    form.ChooseMaterial(4);
    form.EditDensity(2.5);
    form.ViewCatalogue(sc_savarez);
    form.TickWound(0, true);
    form.DeleteSelected();
    EXPECT_EQ(vorn::testing::SettingsBytes(live),
              before); // Cancel: nothing reached the live settings

    TOptionsForm again;
    again.Load(live);
    again.Store(live);
    EXPECT_EQ(vorn::testing::SettingsBytes(live), before);
}

TEST(OptionsForm, OkInPoundsShowsEveryChartInPounds) {
    TGlobalData live;
    TFileFrame lute(live);
    lute.ApplyTemplate(3);
    lute.ViewStrings();
    std::vector<float> newtons;
    for (const auto& c : lute.Chart.Courses)
        newtons.push_back(c->First.Rec.TensionN);

    TOptionsForm form;
    form.Load(live);
    form.SetUnit(tt_pounds);
    form.Store(live); // tells every chart on the settings
    EXPECT_EQ(live.TensionUnit, tt_pounds);
    for (size_t i = 0; i < lute.Chart.Courses.size(); ++i) {
        const TOneStringPanel& s = lute.Chart.Courses[i]->First;
        // Converted, not recomputed: the tension itself stays.
        EXPECT_EQ(s.Rec.TensionN, newtons[i]) << "course " << i + 1;
        EXPECT_EQ(s.ShownTension(live),
                  static_cast<float>(FromNewtons(newtons[i], tt_pounds, live.TensionDigits)));
        if (s.AltIsLabel(live.Materials)) {
            EXPECT_TRUE(s.Rec.AltLabel.ends_with("lb.)")) << s.Rec.AltLabel;
        }
    }
    EXPECT_NE(live.Catalogues.Savarez.Unit, tt_kilograms);
}

TEST(OptionsForm, AssignmentTensionsShowInTheUnitAndKeepEdits) {
    TGlobalData live;
    live.StringDefs[sr_chanterelles].Tension = 40;
    TOptionsForm form;
    form.Load(live);
    EXPECT_DOUBLE_EQ(form.AssignmentTension[0], 4.08); // 40 N in kilogram-force, 2 decimals
    form.SetAssignmentTension(0, 5);
    form.SetUnit(tt_newtons);
    EXPECT_DOUBLE_EQ(form.AssignmentTension[0], 49.03); // the edit survives the unit change
    form.SetAssignmentChoice(0, 2);
    form.AddMaterial({"Silk", 1.3, 100, 10, 1, 0.2});
    EXPECT_EQ(form.AlternativeItems[form.AssignmentChoice[0]], form.AlternativeItems[2]);
    form.Store(live);
    // What the user typed, 5 kg, not the two decimals it showed in newtons.
    EXPECT_FLOAT_EQ(live.StringDefs[0].Tension, static_cast<float>(ToNewtons(5, tt_kilograms)));
    EXPECT_EQ(live.StringDefs[0].Name, form.AlternativeItems[2]);
}

struct ModeCase {
    int row; // Diameter, String Length, Tension, String Tuning
    uint8_t stored;
    int shown;          // -1: the list keeps what it showed
    uint8_t storedBack; // what choosing the shown position stores
};

class OptionsCalculationTest : public ::testing::TestWithParam<ModeCase> {};

uint8_t& modeOf(TGlobalData& s, int row) {
    uint8_t* field[4] = {&s.DiameterChangeMode, &s.LengthChangeMode, &s.TensionChangeMode,
                         &s.NoteChangeMode};
    return *field[row];
}

TEST_P(OptionsCalculationTest, StoredCodesAndListPositions) {
    const ModeCase& c = GetParam();
    TGlobalData live;
    TOptionsForm form;
    form.Load(live); // every list shows the defaults
    const int before = form.Calculation[c.row];
    modeOf(live, c.row) = c.stored;
    form.Load(live);
    EXPECT_EQ(form.Calculation[c.row], c.shown < 0 ? before : c.shown);
    if (c.shown >= 0) {
        form.SetCalculation(c.row, c.shown);
        TGlobalData out;
        form.Store(out);
        EXPECT_EQ(modeOf(out, c.row), c.storedBack);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, OptionsCalculationTest,
                         ::testing::Values(ModeCase{0, rm_length, 0, rm_length},
                                           ModeCase{0, rm_tension, 1, rm_tension},
                                           ModeCase{0, rm_diameter, 1, rm_tension},
                                           ModeCase{1, rm_diameter, 0, rm_diameter},
                                           ModeCase{1, rm_tension, 1, rm_tension},
                                           ModeCase{2, rm_diameter, 0, rm_diameter},
                                           ModeCase{2, rm_length, 1, rm_length},
                                           ModeCase{3, rm_diameter, 0, rm_diameter},
                                           ModeCase{3, rm_length, 1, rm_length},
                                           ModeCase{3, rm_tension, 2, rm_tension},
                                           ModeCase{3, 7, -1, 0}));

TEST(OptionsForm, PrecisionListsKeepWhatTheyCannotShow) {
    TGlobalData live;
    live.TensionDigits = -4;
    live.LengthDigits = -7; // from an old file
    TOptionsForm form;
    form.Load(live);
    EXPECT_EQ(form.Precision[1], 2);
    EXPECT_EQ(form.Precision[0], -1);
    form.Store(live);
    EXPECT_EQ(live.LengthDigits, -7);
    form.SetPrecision(0, 1);
    form.DefaultPrecision();
    form.Store(live);
    EXPECT_EQ(live.LengthDigits, TGlobalData().LengthDigits);
    EXPECT_EQ(live.TensionDigits, TGlobalData().TensionDigits);
}

TEST(OptionsForm, MaterialEditsTouchOnlyTheChosenMaterial) {
    TGlobalData live;
    TOptionsForm form;
    form.Load(live);
    const auto before = form.Scratch.Materials.Items();
    form.ChooseMaterial(4);
    form.ChooseMaterial(5);
    form.ChooseMaterial(1);
    for (size_t i = 0; i < before.size(); ++i) {
        const TStringMaterialItem& m = form.Scratch.Materials[static_cast<int>(i)];
        EXPECT_EQ(m.MaxTension, before[i].MaxTension) << m.Name;
        EXPECT_EQ(m.MinDiameter, before[i].MinDiameter) << m.Name;
    }
    EXPECT_TRUE(form.EditPanelVisible);
    EXPECT_EQ(form.Figures.Name, "Nylon");
    form.EditName("Polyamide"); // not a material of the user's own
    EXPECT_EQ(form.Figures.Name, "Nylon");
    form.EditMaxTension(30); // kg
    form.EditMaxDiameter(1.23456);
    EXPECT_NEAR(form.Scratch.Materials[1].MaxTension, 30 * 9.80665, 1e-3);
    EXPECT_FLOAT_EQ(form.Scratch.Materials[1].MaxDiameter, 1.235f);

    form.ChooseMaterial(4); // "Copper", the user's to rename
    form.EditName("Silver");
    EXPECT_EQ(form.Scratch.Materials[4].Name, "Silver");
    EXPECT_TRUE(hasItem(form.AlternativeItems, "Silver"));
}

TEST(OptionsForm, AddAndDeleteMaterials) {
    TGlobalData live;
    TFileFrame lute(live);
    lute.ApplyTemplate(3);
    lute.ViewStrings();
    TOptionsForm form;
    form.Load(live);
    EXPECT_FALSE(CanAddMaterial({"", 1, 1, 1, 1, 1}));
    EXPECT_FALSE(CanAddMaterial({"Silk", 1, 1, 0, 1, 1}));
    form.AddMaterial({"Silk", 1.25, 10, 2, 1.2, 0.3}); // kg
    EXPECT_TRUE(hasItem(form.MaterialItems, "Silk"));
    form.Store(live);
    lute.Chart.RefreshChoices();
    for (const auto& c : lute.Chart.Courses)
        EXPECT_TRUE(hasItem(c->First.AltItems, "Silk"));
    const TStringMaterialItem& silk = live.Materials.MaterialByName("Silk");
    EXPECT_EQ(silk.Kind, mk_other);
    EXPECT_NEAR(silk.MaxTension, 10 * 9.80665, 1e-3);

    // The settings file holds it.
    TGlobalData read;
    const std::string bytes = vorn::testing::SettingsBytes(live);
    ByteReader in(bytes);
    ASSERT_TRUE(read.LoadSettings(in));
    EXPECT_EQ(read.Materials.MaterialByName("Silk").Density, 1.25f);

    form.Load(live);
    form.ChooseMaterial(1);
    EXPECT_EQ(form.DeleteQuestion().Ask, MaterialDeletion::md_refused);
    EXPECT_EQ(form.DeleteQuestion().Text, "Nylon, Nylgut and Carbon PVC can not be deleted!");
    const int silkAt =
        static_cast<int>(std::find(form.MaterialItems.begin(), form.MaterialItems.end(), "Silk") -
                         form.MaterialItems.begin());
    form.ChooseMaterial(silkAt);
    EXPECT_EQ(form.DeleteQuestion().Text,
              "Click \"OK\" to delete Silk, \"Cancel\" to leave the list unchanged.");
    form.DeleteMaterial();
    EXPECT_FALSE(hasItem(form.MaterialItems, "Silk"));
    EXPECT_EQ(form.SelectedMaterial, -1);
    form.DefaultMaterials();
    EXPECT_EQ(form.MaterialItems.size(), TStringMaterialCollection::Defaults().Items().size());
}

TEST(OptionsForm, WoundsDeleteTickedRowsAndRestore) {
    TGlobalData live;
    TOptionsForm form;
    form.Load(live);
    form.ViewCatalogue(sc_savarez);
    const auto rows = live.Catalogues.Savarez.Items;
    ASSERT_EQ(form.WoundLines.size(), rows.size() - 1);
    EXPECT_TRUE(form.RestoreEnabled);
    EXPECT_FALSE(form.DeleteSelectedEnabled);
    form.TickWound(1, true); // line 2
    form.TickWound(4, true); // line 5
    EXPECT_TRUE(form.DeleteSelectedEnabled);
    form.DeleteSelected();
    auto expected = rows;
    expected.erase(expected.begin() + 5); // row 6 counting from 1
    expected.erase(expected.begin() + 2); // row 3
    EXPECT_EQ(form.Scratch.Catalogues.Savarez.Items, expected);
    EXPECT_FALSE(form.DeleteSelectedEnabled);
    EXPECT_EQ(form.WoundLines.size(), expected.size() - 1);
    form.Store(live);
    EXPECT_EQ(live.Catalogues.Savarez.Items, expected);

    form.Load(live);
    form.ViewCatalogue(sc_savarez);
    form.RestoreCatalogue();
    EXPECT_EQ(form.Scratch.Catalogues.Savarez.Items, rows);
    form.ViewCatalogue(sc_pyramid);
    EXPECT_EQ(form.WoundLines.size(), live.Catalogues.Pyramid.Items.size() - 1);
}

} // namespace

namespace {

// A box edit and where the material holds its result.
struct RangeCase {
    const char* Name;
    void (TOptionsForm::*Edit)(double);
    VornTensType Unit;
    double Typed; // in the box's unit
    double Shown; // what the panel shows afterwards, in the box's unit
    double Held;  // what the material holds: g/cm³, N or mm
    float TStringMaterialItem::*Kept;
};

class OptionsRangeTest : public ::testing::TestWithParam<RangeCase> {};

// What a box shows after an edit is what the material keeps: never more than the core takes.
TEST_P(OptionsRangeTest, ShownIsKept) {
    const RangeCase& c = GetParam();
    TGlobalData live;
    TOptionsForm form;
    form.Load(live);
    form.SetUnit(c.Unit);
    form.ChooseMaterial(4);
    (form.*c.Edit)(c.Typed);
    const TStringMaterialItem& m = form.Scratch.Materials[4];
    EXPECT_NEAR(m.*c.Kept, c.Held, 1e-3 * std::max(1.0, c.Held));
    const MaterialFigures& f = form.Figures;
    for (double shown :
         {f.Density, f.MaxTension, f.MinTension, f.MaxDiameter, f.MinDiameter, f.BreakingIndex})
        if (std::abs(shown - c.Shown) < 1e-6 * std::max(1.0, c.Shown))
            return;
    ADD_FAILURE() << "no figure shows " << c.Shown;
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, OptionsRangeTest,
    ::testing::Values(RangeCase{"DensityAbove", &TOptionsForm::EditDensity, tt_kilograms, 150, 100,
                                100, &TStringMaterialItem::Density},
                      RangeCase{"DensityBelow", &TOptionsForm::EditDensity, tt_kilograms, 0.001,
                                0.01, 0.01, &TStringMaterialItem::Density},
                      RangeCase{"TensionKilograms", &TOptionsForm::EditMaxTension, tt_kilograms,
                                2000, 10000 / 9.80665, 10000, &TStringMaterialItem::MaxTension},
                      RangeCase{"TensionPounds", &TOptionsForm::EditMaxTension, tt_pounds, 5000,
                                10000 / 4.4482216152605, 10000, &TStringMaterialItem::MaxTension},
                      RangeCase{"TensionNewtons", &TOptionsForm::EditMinTension, tt_newtons, 12000,
                                10000, 10000, &TStringMaterialItem::MinTension},
                      RangeCase{"DiameterAbove", &TOptionsForm::EditMaxDiameter, tt_kilograms, 150,
                                100, 100, &TStringMaterialItem::MaxDiameter},
                      RangeCase{"DiameterNegative", &TOptionsForm::EditMinDiameter, tt_kilograms,
                                -1, 0, 0, &TStringMaterialItem::MinDiameter},
                      RangeCase{"BreakingIndexAbove", &TOptionsForm::EditBreakingIndex,
                                tt_kilograms, 20000, 10000, 10000,
                                &TStringMaterialItem::BreakingIndex},
                      RangeCase{"BreakingIndexNegative", &TOptionsForm::EditBreakingIndex,
                                tt_kilograms, -3, 0, 0, &TStringMaterialItem::BreakingIndex},
                      RangeCase{"BreakingIndexFraction", &TOptionsForm::EditBreakingIndex,
                                tt_pounds, 262.5, 262.5, 262.5,
                                &TStringMaterialItem::BreakingIndex}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(OptionsForm, AddedFiguresKeepTheRanges) {
    TGlobalData live;
    TOptionsForm form;
    form.Load(live);
    form.SetUnit(tt_kilograms);
    form.AddMaterial({"Lead", 150, 2000, 2000, 150, 150});
    const TStringMaterialItem& lead = form.Scratch.Materials.MaterialByName("Lead");
    EXPECT_EQ(lead.Density, 100);
    EXPECT_NEAR(lead.MaxTension, 10000, 1e-2);
    EXPECT_EQ(lead.MaxDiameter, 100);
    EXPECT_EQ(lead.MinDiameter, 100);
    form.SetAssignmentTension(0, 2000);
    EXPECT_NEAR(form.Scratch.StringDefs[0].Tension, 10000, 1e-2);

    // A breaking index of 0 means none; below it, or past the range, OK stays disabled.
    EXPECT_EQ(lead.BreakingIndex, 260);
    EXPECT_FALSE(CanAddMaterial({"Tin", 7, 10, 1, 1, 0.5, -1}));
    EXPECT_FALSE(CanAddMaterial({"Tin", 7, 10, 1, 1, 0.5, 20000}));
    form.AddMaterial({"Tin", 7, 10, 1, 1, 0.5, 0});
    EXPECT_EQ(form.Scratch.Materials.MaterialByName("Tin").BreakingIndex, 0);
    form.AddMaterial({"Wire", 7, 10, 1, 1, 0.5, 120.4});
    EXPECT_EQ(form.Scratch.Materials.MaterialByName("Wire").BreakingIndex, 120.4f);
}

struct BoundsCase {
    const char* Name;
    double MaxTension, MinTension, MaxDiameter, MinDiameter;
    const char* Problem;
};

class OptionsBoundsTest : public ::testing::TestWithParam<BoundsCase> {};

TEST_P(OptionsBoundsTest, MinimumNeverAboveMaximum) {
    const BoundsCase& c = GetParam();
    const MaterialFigures figures{"Silk",       1.25,          c.MaxTension,
                                  c.MinTension, c.MaxDiameter, c.MinDiameter};
    EXPECT_EQ(FiguresProblem(figures), c.Problem);
    EXPECT_EQ(CanAddMaterial(figures), std::string(c.Problem).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Figures, OptionsBoundsTest,
    ::testing::Values(
        BoundsCase{"Apart", 10, 2, 1.2, 0.3, ""}, BoundsCase{"Equal", 10, 10, 1.2, 1.2, ""},
        BoundsCase{"Tension", 2, 10, 1.2, 0.3, "The minimum tension is above the maximum."},
        BoundsCase{"Diameter", 10, 2, 0.3, 1.2, "The minimum diameter is above the maximum."},
        BoundsCase{"Both", 2, 10, 0.3, 1.2, "The minimum tension is above the maximum."}),
    [](const auto& info) { return std::string(info.param.Name); });

struct StoreCase {
    const char* Name;
    void (TOptionsForm::*Edit)(double);
    double Value; // kg or mm; Copper holds 20..200 N and 0.1..5 mm
    const char* Problem;
};

class OptionsStoreTest : public ::testing::TestWithParam<StoreCase> {};

// OK keeps nothing while a material's bounds cross, and names the material.
TEST_P(OptionsStoreTest, CrossedBoundsAreRefused) {
    const StoreCase& c = GetParam();
    TGlobalData live;
    const std::string before = vorn::testing::SettingsBytes(live);
    TOptionsForm form;
    form.Load(live);
    form.SetUnit(tt_kilograms);
    form.SetMaker("Tieffenbrucker");
    form.ChooseMaterial(4);
    (form.*c.Edit)(c.Value);
    EXPECT_EQ(form.CheckMaterials().Index, 4);
    EXPECT_EQ(form.CheckMaterials().Text, c.Problem);
    EXPECT_FALSE(form.Store(live));
    EXPECT_EQ(vorn::testing::SettingsBytes(live), before);

    form.DefaultMaterials();
    EXPECT_EQ(form.CheckMaterials().Index, -1);
    EXPECT_TRUE(form.Store(live));
    EXPECT_EQ(live.DefaultMaker, "Tieffenbrucker");
}

INSTANTIATE_TEST_SUITE_P(
    Copper, OptionsStoreTest,
    ::testing::Values(StoreCase{"MinTensionUp", &TOptionsForm::EditMinTension, 30,
                                "The minimum tension of Copper is above its maximum."},
                      StoreCase{"MaxTensionDown", &TOptionsForm::EditMaxTension, 1,
                                "The minimum tension of Copper is above its maximum."},
                      StoreCase{"MinDiameterUp", &TOptionsForm::EditMinDiameter, 6,
                                "The minimum diameter of Copper is above its maximum."},
                      StoreCase{"MaxDiameterDown", &TOptionsForm::EditMaxDiameter, 0.05,
                                "The minimum diameter of Copper is above its maximum."}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace

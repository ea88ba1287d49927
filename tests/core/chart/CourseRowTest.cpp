// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "strings/CatalogueLookup.h"
#include "support/ChartFixture.h"

namespace vorn {
namespace {

using testing::Chart;

// The alto lute in G: courses 1..10 tuned 67 62 57 53 48 43 41 40 38 36 at 64 cm; course 1
// chanterelle, 2..5 unison, 6..10 bass with octave.

TEST(CourseRow, NewBassCourseGetsAnOctaveString) {
    for (bool fromTypeBox : {false, true}) {
        Chart c;
        if (fromTypeBox)
            c.course(3).SelectType(2);
        const TOneCrsPanel& course = c.course(fromTypeBox ? 3 : 6);
        ASSERT_TRUE(course.HasSecond());
        const StringRecord& bass = course.First.Rec;
        const StringRecord& octave = course.Second->Rec;
        EXPECT_EQ(octave.Note.Number, bass.Note.Number + 12);
        EXPECT_EQ(octave.Note.Accidental, bass.Note.Accidental);
        EXPECT_NE(octave.Note.SpellingFixed, 0);
        EXPECT_EQ(octave.Frequency, c.frequencyOf(octave.Note));
        EXPECT_EQ(octave.Length, bass.Length);
        EXPECT_EQ(octave.TensionN, SettledTension(27, -2)); // 2.75 kgf
        EXPECT_EQ(octave.AltChoice, "Nylgut");
        EXPECT_GT(octave.GutDiameter, 0.0f);
        EXPECT_EQ(octave.GutDiameter, c.expectedGut(*course.Second));
        EXPECT_EQ(course.TypeSelection(), 2);
    }
}

TEST(CourseRow, SteppingPassesBothSpellingsAndTheOctaveFollows) {
    Chart c;
    TOneCrsPanel& course = c.course(10); // C, bass with octave
    const struct {
        bool up;
        int number;
        uint8_t accidental;
    } steps[] = {{true, 37, acc_sharp}, {true, 37, acc_flat},   {true, 38, acc_none},
                 {false, 37, acc_flat}, {false, 37, acc_sharp}, {false, 36, acc_none}};
    double sharp = 0;
    for (const auto& s : steps) {
        course.StepNote(s.up);
        for (const TOneStringPanel* string : {&course.First, course.Second.get()}) {
            EXPECT_EQ(string->Rec.Note.Number, s.number + (string->IsOctave ? 12 : 0));
            EXPECT_EQ(string->Rec.Note.Accidental, s.accidental);
            EXPECT_EQ(string->Rec.Frequency, c.frequencyOf(string->Rec.Note));
            EXPECT_EQ(string->Rec.GutDiameter, c.expectedGut(*string));
        }
        if (s.accidental == acc_sharp)
            sharp = course.First.Rec.Frequency;
        if (s.accidental == acc_flat) {
            EXPECT_NE(course.First.Rec.Frequency, sharp); // meantone: Db is not C#
        }
    }
    EXPECT_EQ(c.chart.Current(), 9);
}

TEST(CourseRow, SteppingAnUnfixedSpellingDoesNotStick) {
    // Respelled from C major, D-flat would turn back into C-sharp at every step.
    Chart c;
    c.doc.CourseNotes[4].SpellingFixed = 0; // c
    c.rebuild();
    TOneCrsPanel& course = c.course(5);
    for (int i = 0; i < 3; ++i)
        course.StepNote(true);
    EXPECT_EQ(course.First.Rec.Note.Number, 50);
}

TEST(CourseRow, EntryRulesReplaceValuesBelowTheMinimum) {
    using Edit = std::function<void(TOneCrsPanel&)>;
    using Cell = std::function<float(const StringRecord&)>;
    const Cell length = [](auto& r) { return r.Length; };
    // As the cell shows it, in kg.
    const Cell tension = [](auto& r) { return ShownTension(r.TensionN, tt_kilograms, -2); };
    const Cell gut = [](auto& r) { return r.GutDiameter; };
    const Cell alt = [](auto& r) { return r.AltDiameter.value_or(-1); };
    const struct {
        const char* what;
        Edit edit;
        Cell cell;
        float expected;
    } cases[] = {
        {"length 0", [](auto& r) { r.EditLength(0.0); }, length, 1.0f},
        {"tension 0.05", [](auto& r) { r.EditTension(0, 0.05); }, tension, 0.1f},
        {"tension spun", [](auto& r) { r.EditTension(0, 2.75), r.SpinTension(0, true); }, tension,
         2.85f},
        {"gut spun below", [](auto& r) { r.EditGutDiameter(0, 0.1), r.SpinGutDiameter(0, false); },
         gut, 0.1f},
        {"alt unreadable", [](auto& r) { r.EditAltDiameter(0, std::nullopt); }, alt, 0.01f},
        {"alt 0", [](auto& r) { r.EditAltDiameter(0, 0.0); }, alt, 0.01f},
    };
    for (const auto& k : cases) {
        Chart c;
        k.edit(c.course(3));
        EXPECT_EQ(k.cell(c.course(3).First.Rec), k.expected) << k.what;
        EXPECT_EQ(c.chart.Current(), 2) << k.what;
        EXPECT_GT(c.bridgeNotices, 1) << k.what;
    }
}

TEST(CourseRow, FirstStringLengthDrivesTheOctaveString) {
    Chart c;
    TOneCrsPanel& course = c.course(6);
    const float octaveGut = course.Second->Rec.GutDiameter;
    course.EditLength(70.0);
    EXPECT_EQ(course.Second->Rec.Length, 70.0f);
    EXPECT_NE(course.Second->Rec.GutDiameter, octaveGut);
    EXPECT_EQ(course.Second->Rec.GutDiameter, c.expectedGut(*course.Second));

    // A tension change that solves for the length moves the octave string too.
    c.settings.TensionChangeMode = rm_length;
    course.EditTension(0, 4.0);
    EXPECT_NE(course.First.Rec.Length, 70.0f);
    EXPECT_EQ(course.Second->Rec.Length, course.First.Rec.Length);
}

TEST(CourseRow, CatalogueCellStepsAndRestoresItsLabel) {
    Chart c;
    TOneCrsPanel& course = c.course(8); // basses default to Savarez
    StringRecord& rec = course.First.Rec;
    ASSERT_TRUE(course.First.AltIsLabel(c.settings.Materials));
    const uint8_t found = rec.CatalogueIndex;
    course.SpinAltDiameter(0, true);
    uint8_t index = static_cast<uint8_t>(found + 1);
    const std::string stepped = c.settings.Catalogues.CatalogueLabel(
        mk_savarez, index, rec.Frequency, rec.Length, rec.TensionN);
    EXPECT_EQ(course.First.AltText(c.settings.Materials), stepped);

    // Typing into the label changes nothing: the stepped entry stays.
    course.EditAltDiameter(0, 1.23);
    EXPECT_EQ(course.First.AltText(c.settings.Materials), stepped);
    EXPECT_EQ(rec.CatalogueIndex, found + 1);

    for (int i = 0; i <= found + 2; ++i)
        course.SpinAltDiameter(0, false);
    EXPECT_EQ(rec.CatalogueIndex, 0);
    EXPECT_EQ(rec.AltLabel, " * ");
}

TEST(CourseRow, TypeBoxSetsKindAndDefaultTension) {
    Chart c;
    TOneCrsPanel& first = c.course(1);
    first.SetCourseKind(ck_bass_with_octave); // never on course 1
    EXPECT_EQ(first.Kind, ck_chanterelle);
    first.SelectType(2); // course 1 takes the position as kind
    EXPECT_EQ(first.Kind, ck_unison);
    EXPECT_FALSE(first.HasSecond());

    // A single from course 7 on is a diapason: 37 N, and the cascade derives its diameter.
    TOneCrsPanel& seventh = c.course(7);
    seventh.SelectType(0);
    EXPECT_EQ(seventh.Kind, ck_single);
    EXPECT_FALSE(seventh.HasSecond());
    EXPECT_EQ(seventh.First.Rec.TensionN, SettledTension(37, -2));
    EXPECT_EQ(seventh.First.Rec.GutDiameter, c.expectedGut(seventh.First));
}

TEST(StringChart, TotalTensionCountsUnisonsTwiceAndOctaveStrings) {
    Chart c;
    c.doc.CourseCount = 1;
    c.doc.CourseKinds[0] = ck_unison;
    c.rebuild();
    c.course(1).EditTension(0, 30.0);
    EXPECT_FLOAT_EQ(c.chart.TotalTension(), 60.0f);
    c.chart.AppendCourse(ck_single);
    c.course(2).EditTension(0, 25.0);
    EXPECT_FLOAT_EQ(c.chart.TotalTension(), 85.0f);
    c.chart.AppendCourse(ck_bass_with_octave);
    c.course(3).EditTension(0, 3.0);
    c.course(3).EditTension(1, 2.0);
    EXPECT_FLOAT_EQ(c.chart.TotalTension(), 90.0f);
    EXPECT_NEAR(c.chart.TotalTensionNewtons(), 90 * 9.80665, 1e-3);
    // Every row in the new unit, each to two decimals: no row keeps kg in the sum.
    c.settings.SetTensionUnit(tt_pounds);
    c.settings.NotifyChanged(sc_tension_unit);
    EXPECT_NEAR(c.chart.TotalTension(), 90 * 9.80665 / 4.448221615, 4 * 0.005);
}

TEST(StringChart, SelectingAnotherCourseLeavesRedCellsRed) {
    Chart c;
    c.course(1).EditTension(0, 100.0); // 980 N, beyond every material
    ASSERT_TRUE(c.course(1).First.TensionRed());
    c.course(4).SelectCourse();
    EXPECT_FALSE(c.course(1).IsCurrent());
    EXPECT_TRUE(c.course(4).IsCurrent());
    EXPECT_TRUE(c.course(1).First.TensionRed());
}

TEST(StringChart, FrequencyTextRoundsHalvesToEven) {
    for (const auto& [hz, text] : {std::pair<double, const char*>{440, "440 Hz."},
                                   {261.625, "261.62 Hz."},
                                   {0.375, "0.38 Hz."}}) {
        TOneStringPanel s;
        s.Rec.Frequency = hz;
        EXPECT_EQ(s.FrequencyText(), text);
    }
}

TEST(StringChart, RefreshedChoicesFollowTheMaterialList) {
    Chart c;
    const auto& items = c.course(2).First.AltItems;
    const auto at = [&](const char* name) {
        return static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin());
    };
    c.course(2).SelectAlternative(0, at("Bronze"));      // the last item
    c.course(3).SelectAlternative(0, at("Brass7/3"));    // Bronze moves into its place
    ASSERT_TRUE(c.settings.Materials.DeleteMaterial(4)); // Copper
    c.chart.RefreshChoices();
    EXPECT_EQ(c.course(2).First.Rec.AltChoice, "Nylgut"); // the trebles' default
    const StringRecord& moved = c.course(3).First.Rec;
    EXPECT_EQ(moved.AltChoice, "Bronze");
    StringRecord bronze = moved;
    Recalculate(bronze, rm_tension, false, c.settings);
    EXPECT_EQ(moved.AltDiameter, bronze.AltDiameter);
}

TEST(StringChart, AUnitSwitchThereAndBackChangesNoFigure) {
    Chart c(13); // a theorbo: octave strings and catalogue basses
    c.course(2).EditTension(0, 3.83);
    const auto figures = [&] {
        std::vector<std::string> all;
        for (const auto& course : c.chart.Courses)
            for (int which = 0; which < (course->HasSecond() ? 2 : 1); ++which) {
                const TOneStringPanel& s = course->String(which);
                all.push_back(s.TensionText(c.settings) + " " + s.GutDiameterText() + " " +
                              s.AltText(c.settings.Materials));
            }
        return all;
    };
    const auto before = figures();
    const float bridge = c.chart.TotalTension();
    for (VornTensType unit : {tt_pounds, tt_newtons, tt_kilograms}) {
        c.settings.SetTensionUnit(unit);
        c.settings.NotifyChanged(sc_tension_unit);
        const std::string suffix = TensionUnitSuffix(unit) + ")";
        for (const auto& course : c.chart.Courses)
            if (course->First.AltIsLabel(c.settings.Materials) &&
                course->First.Rec.AltLabel != CatalogueSentinel) {
                EXPECT_TRUE(course->First.Rec.AltLabel.ends_with(suffix))
                    << course->First.Rec.AltLabel;
            }
    }
    EXPECT_EQ(figures(), before);
    EXPECT_EQ(c.chart.TotalTension(), bridge);
}

} // namespace
} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "chart/GlobalChanges.h"
#include "pitch/Keys.h"
#include "pitch/Temperaments.h"
#include "support/ChartFixture.h"

namespace vorn {
namespace {

using testing::Chart;

template <class F> void EachString(Chart& c, F f) {
    for (const auto& course : c.chart.Courses) {
        f(course->First);
        if (course->Second)
            f(*course->Second);
    }
}

TEST(GlobalChanges, TuningMovesEveryNoteAndRecalculates) {
    const struct {
        int temperament;
        float pitch;
        int semitones;
    } cases[] = {{5, 440, -7}, {2, 415, 0}}; // down a fifth; quarter comma at 415 Hz
    for (const auto& k : cases) {
        Chart c;
        std::vector<int> before;
        EachString(c, [&](const TOneStringPanel& s) { before.push_back(s.Rec.Note.Number); });
        GlobalTuning(c.chart, k.temperament, k.pitch, k.semitones);
        EXPECT_EQ(c.doc.CommaFraction, TemperamentFraction(k.temperament));
        FrequencyRecord fresh;
        fresh.Compute(c.doc.CommaFraction, k.pitch);
        size_t i = 0;
        EachString(c, [&](const TOneStringPanel& s) {
            EXPECT_EQ(s.Rec.Note.Number, before[i++] + k.semitones);
            EXPECT_EQ(s.Rec.Frequency, fresh.NoteFrequency(s.Rec.Note));
            EXPECT_EQ(s.Rec.GutDiameter, c.expectedGut(s));
        });
        for (int n = 1; n <= c.chart.CourseCount(); ++n)
            EXPECT_EQ(c.doc.CourseNotes[n - 1], c.course(n).First.Rec.Note);
    }
}

// A theorbo in A in quarter comma, where an enharmonic slip costs 41 cents, moved by each of
// the twelve intervals up and down, then filled up to nineteen courses: every string, the
// added ones too, moves by the same cents, and every note is spelled as the new key spells it.
// A string the new key spells beyond the seventeen notes (C-flat in E-flat major) sounds as the
// note of the table it falls on, a diesis (128:125 in quarter comma) off that interval.
class Transposition : public ::testing::TestWithParam<int> {};

TEST_P(Transposition, EveryStringMovesByTheSameInterval) {
    const int semitones = GetParam();
    Chart reference(13), moved(13);
    GlobalTuning(reference.chart, 2, 440, 0);
    GlobalCourses(reference.chart, MaxCourses, 0);
    GlobalTuning(moved.chart, 2, 440, semitones);
    GlobalCourses(moved.chart, MaxCourses, 0);

    std::vector<double> before, after;
    std::vector<bool> beyond;
    EachString(reference, [&](const TOneStringPanel& s) { before.push_back(s.Rec.Frequency); });
    EachString(moved, [&](const TOneStringPanel& s) {
        after.push_back(s.Rec.Frequency);
        const int pc = PitchClass(s.Rec.Note);
        const uint8_t sign = s.Rec.Note.Accidental;
        beyond.push_back((sign == acc_sharp && (pc == 0 || pc == 5)) ||
                         (sign == acc_flat && (pc == 4 || pc == 11)) || sign == acc_double_flat ||
                         sign == acc_double_sharp);
        uint8_t keySpelling = KeyAccidental(moved.doc.Key, PitchClass(s.Rec.Note));
        if (keySpelling == acc_natural)
            keySpelling = acc_none;
        NoteValue note = s.Rec.Note;
        EXPECT_EQ(note.Accidental, keySpelling)
            << NoteName(note, DefaultKey, true) << " in " << KeyName(moved.doc.Key);
    });
    ASSERT_EQ(before.size(), after.size());
    const double cents = 1200 * std::log2(after[0] / before[0]);
    EXPECT_NEAR(cents, 100.0 * semitones, 45.0);
    ASSERT_FALSE(beyond[0]);
    const double diesis = 1200 * std::log2(128.0 / 125.0);
    for (size_t i = 0; i < before.size(); ++i) {
        const double moved = 1200 * std::log2(after[i] / before[i]);
        if (beyond[i])
            EXPECT_NEAR(std::fabs(moved - cents), diesis, 1e-6) << "string " << i + 1;
        else
            EXPECT_NEAR(moved, cents, 1e-9) << "string " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(TwelveIntervalsUpAndDown, Transposition,
                         ::testing::Values(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, -1, -2, -3, -4,
                                           -5, -6, -7, -8, -9, -10, -11, -12));

TEST(GlobalChanges, OneTensionOfThreeKilograms) {
    const struct {
        VornTensType rows, dialog;
        float shown;
    } cases[] = {{tt_kilograms, tt_kilograms, 3.0f},
                 {tt_newtons, tt_newtons, 29.42f},
                 // The unit changes first, so the tension asked for is the one shown.
                 {tt_kilograms, tt_newtons, 29.42f}};
    for (const auto& k : cases) {
        Chart c(3, k.rows);
        GlobalTension(c.chart, k.dialog, false, static_cast<float>(ToNewtons(3, tt_kilograms)));
        EXPECT_EQ(c.settings.TensionUnit, k.dialog);
        EachString(c, [&](const TOneStringPanel& s) {
            EXPECT_EQ(s.ShownTension(c.settings), k.shown);
            EXPECT_NEAR(s.Rec.TensionN, 29.42, 0.005);
        });
    }
}

// Two documents open on one settings object: what one document's dialog changes in the
// settings, the other shows at once.
TEST(GlobalChanges, SettingsChangesReachEveryOpenChart) {
    Chart c(3, tt_kilograms);
    TInstDataType otherDoc;
    otherDoc.ApplyTemplate(13, c.settings.DefaultTemperament, ""); // a theorbo
    TStrFrame other(otherDoc, c.settings);
    other.BuildCourses();
    int otherRowNotices = 0;
    other.OnRowsChanged = [&](int) { ++otherRowNotices; };

    GlobalTension(c.chart, tt_newtons, false, std::nullopt);
    EXPECT_GT(otherRowNotices, 0);
    other.Course(1).EditTension(0, 40.0); // typed in N now, like every other row
    EXPECT_EQ(other.Course(1).First.Rec.TensionN, 40.0f);
    double shown = 0;
    for (const auto& course : other.Courses) {
        shown += course->First.ShownTension(c.settings) * (course->Kind == ck_unison ? 2 : 1);
        if (course->Second) {
            shown += course->Second->ShownTension(c.settings);
            if (course->Second->AltIsLabel(c.settings.Materials) &&
                course->Second->Rec.AltLabel != " * ") {
                EXPECT_TRUE(course->Second->Rec.AltLabel.ends_with("N.)"));
            }
        }
    }
    EXPECT_FLOAT_EQ(other.TotalTension(), static_cast<float>(shown));
    EXPECT_NEAR(other.TotalTension(), other.TotalTensionNewtons(), 0.005 * 2 * 19 * 2);

    GlobalGut(c.chart, rm_tension, 1.2f);
    for (const auto& course : other.Courses)
        EXPECT_EQ(course->First.Rec.TensionN, c.expectedTension(course->First));
}

TEST(GlobalChanges, DefaultAlternativesAndTensions) {
    Chart c(3, tt_newtons);
    GlobalAlternatives(c.chart, false, 7); // Copper
    GlobalTension(c.chart, tt_newtons, false, 50.0f);
    // Alternatives first: choosing a material derives the tension again from the gut diameter.
    GlobalAlternatives(c.chart, true, 0);
    GlobalTension(c.chart, tt_newtons, true, std::nullopt);
    for (const auto& course : c.chart.Courses) {
        const TStringDefs& role = c.settings.StringDefsFor(course->Number, course->Kind);
        const float settled = SettledTension(role.Tension, -2);
        EXPECT_EQ(course->First.Rec.TensionN, settled);
        EXPECT_EQ(course->First.Rec.AltChoice, role.Name);
        EXPECT_EQ(course->String(1).Rec.TensionN,
                  course->Second ? SettledTension(27, -2) : settled);
    }
}

TEST(GlobalChanges, ResetCourseTypesOnABaroqueLute) {
    Chart c(10);
    GlobalCourseType(c.chart, ck_single, false);
    GlobalCourseType(c.chart, 0, true);
    const uint8_t kinds[] = {0, 1, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 3};
    ASSERT_EQ(c.chart.CourseCount(), 13);
    for (int n = 1; n <= 13; ++n) {
        EXPECT_EQ(c.course(n).Kind, kinds[n - 1]) << n;
        EXPECT_EQ(c.course(n).HasSecond(), kinds[n - 1] == ck_bass_with_octave) << n;
    }
}

TEST(GlobalChanges, CoursesAreRemovedOrAppendedWithinFourToNineteen) {
    const struct {
        int asked, position, count;
    } cases[] = {{7, 2, 7}, {12, 1, 12}, {13, 2, 13}, {2, 0, 4}, {30, 0, 19}};
    for (const auto& k : cases) {
        Chart c; // 10 courses
        c.course(10).SelectCourse();
        GlobalCourses(c.chart, k.asked, k.position);
        ASSERT_EQ(c.chart.CourseCount(), k.count);
        EXPECT_EQ(c.doc.CourseCount, k.count);
        EXPECT_EQ(c.chart.Current(), k.count < 10 ? -1 : 9);
        for (int n = 11; n <= k.count; ++n) {
            EXPECT_EQ(c.course(n).Kind, k.position + 1);
            EXPECT_EQ(c.course(n).First.Rec.Note, c.doc.CourseNotes[n - 1]);
        }
    }
}

TEST(GlobalChanges, GutDensityChangesOnlyWhenItDiffersFromTheShownValue) {
    Chart c(3, tt_newtons);
    const float before = c.course(3).First.Rec.TensionN;
    GlobalGut(c.chart, rm_tension, 1.35f);
    EXPECT_EQ(c.course(3).First.Rec.TensionN, before);
    GlobalGut(c.chart, rm_tension, 1.2f);
    EXPECT_EQ(c.settings.Materials.Reference().Density, 1.2f);
    EXPECT_LT(c.course(3).First.Rec.TensionN, before);
    EachString(c,
               [&](const TOneStringPanel& s) { EXPECT_EQ(s.Rec.TensionN, c.expectedTension(s)); });
}

TEST(GlobalChanges, StringLengthReachesEveryCourse) {
    Chart c;
    GlobalStringLength(c.chart, 66, true, 80, 8);
    for (int n = 1; n <= 10; ++n) {
        const float expected = n >= 8 ? 80.0f : 66.0f;
        EXPECT_EQ(c.course(n).First.Rec.Length, expected) << n;
        EXPECT_EQ(c.course(n).String(1).Rec.Length, expected) << n;
        EXPECT_EQ(c.course(n).First.Rec.GutDiameter, c.expectedGut(c.course(n).First)) << n;
    }
}

} // namespace
} // namespace vorn

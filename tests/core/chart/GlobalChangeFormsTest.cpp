// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "chart/GlobalChangeForms.h"
#include "document/InstrumentTemplates.h"
#include "pitch/Temperaments.h"
#include "support/ChartFixture.h"

namespace vorn {
namespace {

using testing::Chart;

struct TransposeCase {
    int direction;
    int interval;
    int semitones;
};

class TuningFormTest : public ::testing::TestWithParam<TransposeCase> {};

TEST_P(TuningFormTest, DirectionAndIntervalGiveTheTransposition) {
    const TransposeCase& c = GetParam();
    Chart lute;
    TuningForm form = TuningForm::Show(lute.doc);
    form.TuneDirection = c.direction;
    form.Interval = c.interval;
    EXPECT_EQ(form.Semitones(), c.semitones);
    const int top = lute.course(1).First.Rec.Note.Number;
    form.TypePitch(415);
    form.Apply(lute.chart);
    EXPECT_EQ(lute.course(1).First.Rec.Note.Number, top + c.semitones);
    EXPECT_EQ(lute.doc.CourseNotes[0].Number, top + c.semitones);
    EXPECT_FLOAT_EQ(lute.doc.APitch, 415.0f);
    // Recalculated at the new pitch whether or not a note moved.
    EXPECT_FLOAT_EQ(lute.course(1).First.Rec.GutDiameter, lute.expectedGut(lute.course(1).First));
}

INSTANTIATE_TEST_SUITE_P(Directions, TuningFormTest,
                         ::testing::Values(TransposeCase{TuningForm::td_down, 6, -7},
                                           TransposeCase{TuningForm::td_up, 0, 1},
                                           TransposeCase{TuningForm::td_up, 11, 12},
                                           TransposeCase{TuningForm::td_down, -1, 0},
                                           TransposeCase{TuningForm::td_none, 6, 0}));

TEST(TuningForm, PitchListAndBoxFollowEachOther) {
    TInstDataType doc;
    doc.ApplyTemplate(3, 5, "");
    doc.APitch = 430;
    doc.Temperament = CustomTemperament;
    doc.CommaFraction = 0.23;
    TuningForm form = TuningForm::Show(doc);
    EXPECT_EQ(form.PitchIndex, -1);
    EXPECT_EQ(form.Temperament, 9);
    EXPECT_EQ(form.CustomText, doc.TemperamentName());
    EXPECT_EQ(form.Interval, 1); // "Whole Tone"
    EXPECT_EQ(form.TuneDirection, TuningForm::td_none);
    form.ChoosePitch(2);
    EXPECT_DOUBLE_EQ(form.APitch, 415);
    form.TypePitch(392);
    EXPECT_EQ(form.PitchIndex, 3);
    form.TypePitch(392.5);
    EXPECT_EQ(form.PitchIndex, -1);
}

TEST(TensionForm, UnitSwitchKeepsTheTensionAndTypingChoosesOne) {
    TGlobalData settings; // kilogram-force
    TensionForm form = TensionForm::Show(settings);
    EXPECT_EQ(form.Unit, tt_kilograms);
    EXPECT_DOUBLE_EQ(form.Value, 3.06); // 30 N
    form.SetUnit(tt_newtons);
    EXPECT_DOUBLE_EQ(form.Value, 30.01); // 3.06 kg back in newtons, 2 decimals
    EXPECT_EQ(form.Chosen, TensionForm::tc_none);
    form.SetUnit(tt_kilograms);
    form.TypeValue(3);
    EXPECT_EQ(form.Chosen, TensionForm::tc_one);

    Chart lute;
    form.Apply(lute.chart);
    for (const auto& course : lute.chart.Courses)
        EXPECT_NEAR(course->First.Rec.TensionN, 29.42, 0.005);
    // Without a choice nothing but the unit changes.
    TensionForm none = TensionForm::Show(lute.settings);
    none.SetUnit(tt_pounds);
    const float before = lute.course(1).First.Rec.GutDiameter;
    none.Apply(lute.chart);
    EXPECT_EQ(lute.settings.TensionUnit, tt_pounds);
    EXPECT_EQ(lute.course(1).First.Rec.GutDiameter, before);
}

TEST(CourseTypeForm, KindAndResetExcludeEachOther) {
    CourseTypeForm form;
    form.ChooseKind(ck_unison);
    form.ChooseReset();
    EXPECT_EQ(form.Kind, 0);
    form.ChooseKind(ck_single);
    EXPECT_FALSE(form.Reset);

    Chart baroque(9); // first Baroque lute template
    for (const auto& course : baroque.chart.Courses)
        course->SetCourseKind(ck_single);
    CourseTypeForm reset;
    reset.ChooseReset();
    reset.Apply(baroque.chart);
    EXPECT_EQ(baroque.course(1).Kind, ck_chanterelle);
    EXPECT_EQ(baroque.course(2).Kind, ck_single);
    EXPECT_EQ(baroque.course(3).Kind, ck_unison);
    EXPECT_EQ(baroque.course(6).Kind, ck_bass_with_octave);

    const int before = baroque.chart.CourseCount();
    CourseTypeForm nothing; // OK with nothing chosen
    nothing.Apply(baroque.chart);
    EXPECT_EQ(baroque.course(6).Kind, ck_bass_with_octave);
    EXPECT_EQ(baroque.chart.CourseCount(), before);
}

TEST(CoursesForm, FewerAndMoreWithinWhatADocumentHolds) {
    Chart lute;
    CoursesForm form = CoursesForm::Show(lute.doc);
    EXPECT_EQ(form.Count, 10);
    EXPECT_EQ(form.NewKindPosition, 2);
    form.Count = 7;
    form.Apply(lute.chart);
    EXPECT_EQ(lute.chart.CourseCount(), 7);
    form.Count = 40;
    form.NewKindPosition = 1;
    form.Apply(lute.chart);
    EXPECT_EQ(lute.chart.CourseCount(), MaxCourses);
    EXPECT_EQ(lute.course(MaxCourses).Kind, ck_unison);
}

TEST(LengthForm, SecondLengthFromCourseTwelveIsKept) {
    int type = -1;
    for (int t = 0; t < InstrumentTypeCount && type < 0; ++t) {
        TInstDataType probe;
        probe.ApplyTemplate(t, 5, "");
        if (probe.SecondLengthFrom == 12)
            type = t;
    }
    ASSERT_GE(type, 0);
    Chart theorbo(type);
    LengthForm form = LengthForm::Show(theorbo.doc, theorbo.settings);
    EXPECT_TRUE(form.UseSecond);
    EXPECT_EQ(form.FromCourse, 12);
    form.Top = 72;
    form.Apply(theorbo.chart);
    EXPECT_EQ(theorbo.doc.SecondLengthFrom, 12);
    EXPECT_FLOAT_EQ(theorbo.course(11).First.Rec.Length, 72.0f);
    EXPECT_FLOAT_EQ(theorbo.course(12).First.Rec.Length, theorbo.doc.SecondStringLength);

    form.UseSecond = false;
    form.Apply(theorbo.chart);
    EXPECT_FLOAT_EQ(theorbo.course(12).First.Rec.Length, 72.0f);
}

TEST(GutForm, ShowsTheModeAndTheRoundedDensity) {
    TGlobalData settings;
    settings.DiameterChangeMode = rm_tension;
    GutForm form = GutForm::Show(settings);
    EXPECT_EQ(form.Mode, rm_tension);
    EXPECT_DOUBLE_EQ(form.Density, 1.35);
    settings.DiameterChangeMode = rm_diameter; // anything but tension shows "String Length"
    EXPECT_EQ(GutForm::Show(settings).Mode, rm_length);
}

TEST(AlternativesForm, NothingChosenChangesNothing) {
    Chart lute;
    const std::string before = lute.course(1).First.Rec.AltChoice;
    AlternativesForm form;
    form.Apply(lute.chart);
    EXPECT_EQ(lute.course(1).First.Rec.AltChoice, before);
    form.ChooseIndex(2);
    EXPECT_EQ(form.Chosen, AlternativesForm::ac_one);
    form.Apply(lute.chart);
    EXPECT_EQ(lute.course(1).First.Rec.AltChoice, lute.course(1).First.AltItems[2]);
}

} // namespace
} // namespace vorn

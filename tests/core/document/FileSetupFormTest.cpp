// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <limits>

#include "document/FileSetupForm.h"
#include "document/GlobalData.h"
#include "document/InstrumentTemplates.h"
#include "pitch/Temperaments.h"

namespace vorn {
namespace {

TInstDataType Template(int type) {
    TInstDataType d;
    d.ApplyTemplate(type, 5, "");
    return d;
}

// Every template, shown and applied again, is left as it was: the page never changes what
// the user did not touch.
class SetupShowApply : public ::testing::TestWithParam<int> {};

TEST_P(SetupShowApply, ChangesNothing) {
    const TInstDataType d = Template(GetParam());
    TInstDataType applied = d;
    FileSetupForm::Show(d).Apply(applied);
    EXPECT_EQ(applied, d);
}

INSTANTIATE_TEST_SUITE_P(AllTypes, SetupShowApply, ::testing::Range(0, InstrumentTypeCount));

TEST(FileSetupForm, SecondLengthReachesTheDocumentWhenTicked) {
    TInstDataType d = Template(3); // no second length
    FileSetupForm f = FileSetupForm::Show(d);
    EXPECT_FALSE(f.UseSecondLength);
    EXPECT_EQ(f.SecondStringLength, SecondLengthRange.Initial);

    f.TypeSecondLength(150);
    f.TypeFromCourse(9);
    f.Apply(d);
    EXPECT_EQ(d.UseSecondLength, 0); // typed while not ticked: kept on the page only
    EXPECT_EQ(d.SecondStringLength, 0.0f);

    f.UseSecondLength = true;
    f.Apply(d);
    EXPECT_EQ(d.UseSecondLength, 1);
    EXPECT_EQ(d.SecondStringLength, 150.0f);
    EXPECT_EQ(d.SecondLengthFrom, 9);
    EXPECT_EQ(d.LengthOfCourse(9), 150.0f);

    // Unticking keeps the length for a later tick, as the boxes do.
    f.UseSecondLength = false;
    f.Apply(d);
    EXPECT_EQ(d.UseSecondLength, 0);
    EXPECT_EQ(FileSetupForm::Show(d, f).SecondStringLength, 150);
}

TEST(FileSetupForm, EntriesKeepWithinTheirRanges) {
    FileSetupForm f;
    const struct {
        double typed, length, second, pitch;
    } cases[] = {{5, 20, 20, 20}, {1e9, 120, 220, 2100}, {64.5, 64.5, 64.5, 64.5}};
    for (const auto& k : cases) {
        f.TypeStringLength(k.typed);
        f.TypeSecondLength(k.typed);
        f.TypePitch(k.typed);
        EXPECT_EQ(f.StringLength, k.length) << k.typed;
        EXPECT_EQ(f.SecondStringLength, k.second) << k.typed;
        EXPECT_EQ(f.APitch, k.pitch) << k.typed;
    }
    f.TypeStringLength(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(f.StringLength, 64.5);
    f.TypeFromCourse(300);
    EXPECT_EQ(f.SecondLengthFrom, 100);
    f.ChooseCourseCount(2);
    EXPECT_EQ(f.CourseCount, MinCourses);
}

TEST(FileSetupForm, PitchListAndBoxFollowEachOther) {
    FileSetupForm f;
    f.ChoosePitch(2);
    EXPECT_EQ(f.APitch, 415);
    f.TypePitch(430);
    EXPECT_EQ(f.PitchIndex, -1);
    f.TypePitch(392);
    EXPECT_EQ(f.PitchIndex, 3);
    f.ChoosePitch(7); // not in the list: nothing changes
    EXPECT_EQ(f.APitch, 392);
}

TEST(FileSetupForm, TemperamentSetsTheFractionOnlyForANamedOne) {
    TInstDataType d = Template(3);
    FileSetupForm f = FileSetupForm::Show(d);
    f.Temperament = 2;
    f.Apply(d);
    EXPECT_EQ(d.Temperament, 2);
    EXPECT_DOUBLE_EQ(d.CommaFraction, TemperamentFraction(2));

    d.Temperament = 9; // a custom fraction from the fret chart
    d.CommaFraction = 0.21;
    f = FileSetupForm::Show(d);
    EXPECT_EQ(f.Temperament, -1);
    f.Apply(d);
    EXPECT_EQ(d.Temperament, 9);
    EXPECT_DOUBLE_EQ(d.CommaFraction, 0.21);
}

} // namespace
} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "document/InstDataType.h"
#include "document/InstrumentTemplates.h"
#include "pitch/Temperaments.h"

using namespace vorn;

namespace {

TInstDataType fromTemplate(int type, int temperament = 5, const std::string& maker = "") {
    TInstDataType d;
    d.ApplyTemplate(type, temperament, maker);
    return d;
}

TEST(Families, TypesAndPositions) {
    EXPECT_EQ(FamilyOfType(24), 0);
    EXPECT_EQ(FamilyOfType(8), 0);
    EXPECT_EQ(FamilyOfType(9), 1);
    EXPECT_EQ(FamilyOfType(14), 2);
    EXPECT_EQ(FamilyOfType(17), 3);
    EXPECT_EQ(FamilyOfType(23), 4);
    EXPECT_EQ(FamilyOfType(255), 0);
    int total = 0;
    for (int f = 0; f < FamilyCount; ++f) {
        for (int p = 0; p < FamilyTypeCount(f); ++p) {
            const int t = TypeOfFamilyPosition(f, p);
            EXPECT_EQ(FamilyOfType(t), f);
            EXPECT_EQ(PositionInFamily(t), p);
            ++total;
        }
        EXPECT_EQ(FamilyOfType(DefaultTypeOfFamily(f)), f);
    }
    EXPECT_EQ(total, InstrumentTypeCount);
    EXPECT_EQ(TypeOfFamilyPosition(1, 3), 3); // outside the list
    EXPECT_EQ(InstrumentTypeName(8), "\"Accords Noveaux\"");
    EXPECT_EQ(InstrumentTypeName(11), "\"Radolt Bass\" C-minor Lute");
}

TEST(Templates, AltoLuteInGWithDefaults) {
    const TInstDataType d = fromTemplate(3);
    EXPECT_EQ(d.CourseCount, 10);
    EXPECT_FLOAT_EQ(d.StringLength, 64);
    EXPECT_FLOAT_EQ(d.APitch, 440);
    EXPECT_EQ(d.Temperament, 5);
    EXPECT_DOUBLE_EQ(d.CommaFraction, 1 / 6.05);
    EXPECT_EQ(d.Key, 20);
    EXPECT_EQ(d.InstrumentName, "Alto Lute in G");
    EXPECT_EQ(d.FretMiFa, DefaultMiFa);
    EXPECT_EQ(d.CustomPlacement, 0);
    const uint8_t kinds[5] = {0, 2, 2, 2, 2};
    for (int n = 1; n <= 19; ++n)
        EXPECT_EQ(d.CourseKinds[n - 1], n <= 5 ? kinds[n - 1] : 3) << n;
    EXPECT_EQ(d.TemperamentName(), "1/6 Comma (Gerle-Dowland)");
}

TEST(Templates, SecondLengths) {
    const TInstDataType lute = fromTemplate(10);
    for (int n = 1; n <= 11; ++n)
        EXPECT_FLOAT_EQ(lute.LengthOfCourse(n), 70) << n;
    EXPECT_FLOAT_EQ(lute.LengthOfCourse(12), 76);
    EXPECT_FLOAT_EQ(lute.LengthOfCourse(13), 76);

    const TInstDataType english = fromTemplate(14);
    EXPECT_EQ(english.UseSecondLength, 0);
    EXPECT_EQ(english.SecondLengthFrom, 0);
    EXPECT_FLOAT_EQ(english.SecondStringLength, 0);

    const TInstDataType theorbo = fromTemplate(13);
    EXPECT_EQ(theorbo.UseSecondLength, 1);
    EXPECT_EQ(theorbo.SecondLengthFrom, 8);
    EXPECT_FLOAT_EQ(theorbo.LengthOfCourse(8), 160);
    EXPECT_FLOAT_EQ(theorbo.LengthOfCourse(7), 85);
}

// The flag alone does not make a second length: older files set it beside a length of 0,
// which a course must never take.
TEST(Templates, SecondLengthOnlyWithFlagAndLength) {
    const struct {
        uint8_t use;
        float second; // cm
        int course;
        float expected; // cm
    } cases[] = {{1, 150, 8, 150}, {1, 150, 7, 64},  {1, 0, 8, 64},
                 {0, 150, 8, 64},  {2, 150, 8, 150}, {1, 0, 19, 64}};
    for (const auto& k : cases) {
        TInstDataType d = fromTemplate(3);
        d.UseSecondLength = k.use;
        d.SecondStringLength = k.second;
        d.SecondLengthFrom = 8;
        EXPECT_EQ(d.UsesSecondLength(), k.use != 0 && k.second > 0);
        EXPECT_FLOAT_EQ(d.LengthOfCourse(k.course), k.expected)
            << int(k.use) << " " << k.second << " " << k.course;
    }
}

TEST(Templates, AccidentalsFromKeySevenThenExplicit) {
    const TInstDataType c = fromTemplate(1); // course 4 is 58, spelled B-flat anyway
    EXPECT_EQ(c.CourseNotes[3].Number, 58);
    EXPECT_EQ(c.CourseNotes[3].Accidental, acc_flat);
    const TInstDataType f = fromTemplate(4); // courses 4 and 5: E-flat and B-flat
    EXPECT_EQ(f.CourseNotes[3].Accidental, acc_flat);
    EXPECT_EQ(f.CourseNotes[4].Accidental, acc_flat);
    const TInstDataType e = fromTemplate(5); // course 3: 54 F-sharp
    EXPECT_EQ(e.CourseNotes[2].Accidental, acc_sharp);
    const TInstDataType radolt = fromTemplate(11); // 63 spelled E-flat, 51, 39, 34
    for (int n : {1, 4, 8, 11})
        EXPECT_EQ(radolt.CourseNotes[n - 1].Accidental, acc_flat) << n;
    const TInstDataType soprano = fromTemplate(9); // course 9: 46, B-flat
    EXPECT_EQ(soprano.CourseNotes[8].Accidental, acc_flat);
    // 42 is F-sharp in key 7
    EXPECT_EQ(soprano.CourseNotes[11].Accidental, acc_sharp);
    for (const NoteValue& n : soprano.CourseNotes)
        EXPECT_EQ(n.SpellingFixed, 1);
}

TEST(Templates, LaterTemplateKeepsEarlierSpellingsAndMaker) {
    TInstDataType d;
    d.ApplyTemplate(3, 5, "Tielke");
    d.CourseNotes[2].Accidental = acc_sharp;
    d.ApplyTemplate(12, 2, "Other");
    EXPECT_EQ(d.MakerName, "Tielke");
    EXPECT_EQ(d.CourseNotes[2].Number, 64);
    EXPECT_EQ(d.CourseNotes[2].Accidental, acc_sharp);
    EXPECT_EQ(d.Temperament, 2);
    EXPECT_DOUBLE_EQ(d.CommaFraction, 0.25);
}

struct KindCase {
    int type;
    uint8_t kinds[6]; // courses 1..6
};

class CourseKindDefaults : public ::testing::TestWithParam<KindCase> {};

TEST_P(CourseKindDefaults, FollowTheFamily) {
    TInstDataType d;
    d.InstrumentType = static_cast<uint8_t>(GetParam().type);
    d.ApplyCourseKindDefaults();
    for (int n = 0; n < 6; ++n)
        EXPECT_EQ(d.CourseKinds[n], GetParam().kinds[n]) << "course " << n + 1;
    EXPECT_EQ(d.CourseKinds[18], GetParam().kinds[5]);
}

INSTANTIATE_TEST_SUITE_P(
    Types, CourseKindDefaults,
    ::testing::Values(KindCase{10, {0, 1, 2, 2, 2, 3}}, KindCase{13, {1, 1, 1, 1, 1, 1}},
                      KindCase{17, {1, 1, 1, 1, 1, 1}}, KindCase{16, {0, 2, 2, 3, 3, 1}},
                      KindCase{20, {4, 4, 4, 4, 4, 4}}, KindCase{0, {0, 2, 2, 2, 2, 3}},
                      KindCase{30, {0, 2, 2, 2, 2, 3}}));

TEST(Temperaments, CustomNameAndSetTemperament) {
    TInstDataType d;
    d.Temperament = 9;
    d.CommaFraction = 0.2;
    EXPECT_EQ(d.TemperamentName(), "     20% Comma Meantone");
    d.SetTemperament(9);
    EXPECT_DOUBLE_EQ(d.CommaFraction, 0.2);
    d.SetTemperament(8);
    EXPECT_DOUBLE_EQ(d.CommaFraction, 0.0);
    d.Temperament = 12;
    EXPECT_EQ(d.TemperamentName(), "");
}

} // namespace

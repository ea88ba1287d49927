// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <string>

#include "document/InstDataType.h"
#include "frets/PlacementFrame.h"
#include "pitch/Keys.h"

using namespace vorn;

namespace {

TInstDataType courseOnC() {
    TInstDataType d;
    d.ApplyTemplate(3, 2, "");
    d.CourseNotes[0] = NoteValue{60, 0, 0};
    d.Key = DefaultKey;
    return d;
}

struct Editor {
    TInstDataType document = courseOnC();
    TPlacementFrame editor;
    Editor() {
        editor.Bind(document);
        editor.Refresh();
    }
    const PlacementCell& cell(int fret) const { return editor.Cells[0][fret]; }
};

TEST(PlacementFrame, CMajorColoursAndSpellings) {
    Editor e;
    // Frets 1..12 over c: c-sharp, d, e-flat, e, f, f-sharp, g, g-sharp, a, b-flat, b, c'.
    const uint8_t colours[12] = {pl_mi, pl_fa, pl_fa, pl_mi, pl_fa, pl_mi,
                                 pl_fa, pl_mi, pl_fa, pl_fa, pl_mi, pl_fa};
    const uint8_t signs[12] = {acc_sharp, 0,         acc_flat, 0,        0, acc_sharp,
                               0,         acc_sharp, 0,        acc_flat, 0, 0};
    for (int f = 1; f <= 12; ++f) {
        EXPECT_EQ(e.cell(f).Colour, colours[f - 1]) << "fret " << f;
        EXPECT_EQ(e.cell(f).Note.Number, 60 + f);
        EXPECT_EQ(e.cell(f).Note.Accidental, signs[f - 1]) << "fret " << f;
        EXPECT_EQ(e.cell(f).Note.SpellingFixed, 0);
    }
    EXPECT_EQ(e.cell(0).Colour, pl_nut);
    EXPECT_EQ(e.editor.KeyLabel, "C Major");
}

struct SpellingCase {
    const char* key;
    int fret; // above c
    uint8_t accidental;
};

class PlacementSpellingTest : public ::testing::TestWithParam<SpellingCase> {};

TEST_P(PlacementSpellingTest, KeySpellsEveryCell) {
    const SpellingCase& c = GetParam();
    Editor e;
    int key = -1;
    for (int k = 0; k < KeyCount; ++k)
        if (KeyName(static_cast<uint8_t>(k)) == c.key)
            key = k;
    ASSERT_GE(key, 0) << c.key;
    if (key < MajorKeyCount)
        e.editor.SelectMajor(key);
    else
        e.editor.SelectMinor(key - MajorKeyCount);
    EXPECT_EQ(e.document.Key, key);
    EXPECT_EQ(e.editor.KeyLabel, c.key);
    EXPECT_EQ(e.cell(c.fret).Note.Accidental, c.accidental) << c.key << " fret " << c.fret;
}

INSTANTIATE_TEST_SUITE_P(Keys, PlacementSpellingTest,
                         ::testing::Values(SpellingCase{"G Major", 5, acc_natural},
                                           SpellingCase{"G Major", 6, acc_sharp},
                                           SpellingCase{"Db Major", 2, acc_natural},
                                           SpellingCase{"Db Major", 9, acc_double_flat},
                                           SpellingCase{"Db Major", 1, acc_flat},
                                           SpellingCase{"D minor", 10, acc_flat}));

TEST(PlacementFrame, MajorAndMinorSelectorsClearEachOther) {
    Editor e;
    e.editor.SelectMinor(5);
    EXPECT_EQ(e.document.Key, 20);
    EXPECT_EQ(e.editor.MajorIndex, -1);
    EXPECT_EQ(e.editor.MinorIndex, 5);
    EXPECT_EQ(e.editor.KeyLabel, KeyName(20));
    e.editor.SelectMajor(-1); // a cleared selector
    EXPECT_EQ(e.document.Key, 20);
    e.editor.SelectMajor(3);
    EXPECT_EQ(e.document.Key, 3);
    EXPECT_EQ(e.editor.MinorIndex, -1);

    TPlacementFrame again;
    again.Bind(e.document);
    EXPECT_EQ(again.MajorIndex, 3);
    e.document.Key = 29;
    again.Bind(e.document);
    EXPECT_EQ(again.MajorIndex, -1);
    EXPECT_EQ(again.MinorIndex, 14);
}

struct RefusalCase {
    int fret;
    const char* text;
};

class PlacementRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(PlacementRefusalTest, FixedFretsCannotChange) {
    Editor e;
    const FretChoices before = e.document.FretMiFa;
    const PlacementQuestion q = e.editor.HeaderClicked(GetParam().fret);
    EXPECT_EQ(q.Ask, PlacementQuestion::pq_fixed);
    EXPECT_EQ(q.Caption, "Fixed Fret");
    EXPECT_EQ(q.Text, std::string(GetParam().text) + "\r\n(Cannot be changed.)");
    e.editor.ChangeFret(GetParam().fret);
    EXPECT_EQ(e.document.FretMiFa, before);
}

INSTANTIATE_TEST_SUITE_P(Frets, PlacementRefusalTest,
                         ::testing::Values(RefusalCase{2, "Second fret must be a diatonic second!"},
                                           RefusalCase{5, "Fifth fret must be a perfect fourth!"},
                                           RefusalCase{7, "Seventh fret must be a perfect fifth!"},
                                           RefusalCase{12, "Twelfth fret is an octave!"}));

TEST(PlacementFrame, HeaderShowsChoicesAndFixedIntervals) {
    Editor e;
    const PlacementHeader& one = e.editor.Header[0];
    EXPECT_EQ(one.Text, "Fa");
    EXPECT_EQ(one.Width, FaColumnWidth);
    EXPECT_EQ(one.Colour, fc_fa);
    EXPECT_EQ(e.editor.Header[3].Text, "Mi");
    EXPECT_EQ(e.editor.Header[3].Width, MiColumnWidth);
    const std::pair<int, const char*> fixed[] = {{2, "2nd"}, {5, "4th"}, {7, "5th"}, {12, "8ve"}};
    for (const auto& [fret, label] : fixed) {
        const PlacementHeader& h = e.editor.Header[fret - 1];
        EXPECT_EQ(h.Number + h.Text, label);
        EXPECT_EQ(h.Colour, fc_fixed);
    }
}

TEST(PlacementFrame, ConfirmedClicksSwapMiAndFa) {
    Editor e;
    EXPECT_EQ(e.editor.HeaderClicked(1).Text, "Change first fret to Mi?");
    EXPECT_EQ(e.editor.HeaderClicked(4).Text, "Change fourth fret to Fa?");
    EXPECT_EQ(e.editor.HeaderClicked(11).Text, "Change eleventh fret to Fa?");
    EXPECT_EQ(e.editor.HeaderClicked(13).Ask, PlacementQuestion::pq_none);

    e.editor.ChangeFret(1);
    EXPECT_EQ(e.document.FretMiFa[0], fc_mi);
    EXPECT_EQ(e.editor.Header[0].Text, "Mi");
    EXPECT_EQ(e.editor.Header[0].Width, MiColumnWidth);
    EXPECT_EQ(e.editor.Header[0].Colour, fc_mi);
    EXPECT_EQ(e.editor.HeaderClicked(1).Text, "Change first fret to Fa?");
    // A byte no editor writes (from a hand-made file) becomes Fa.
    e.document.FretMiFa[5] = 7;
    e.editor.Refresh();
    EXPECT_EQ(e.editor.Header[5].Colour, fc_fixed);
    e.editor.ChangeFret(6);
    EXPECT_EQ(e.document.FretMiFa[5], fc_fa);
}

TEST(PlacementFrame, DefaultsRestoreChoicesAndKey) {
    Editor e;
    e.editor.ChangeFret(1);
    e.editor.ChangeFret(9);
    e.editor.SelectMinor(2);
    e.editor.Defaults();
    EXPECT_EQ(e.document.FretMiFa, DefaultMiFa);
    EXPECT_EQ(e.document.Key, DefaultKey);
    EXPECT_EQ(e.editor.MajorIndex, 7);
    EXPECT_EQ(e.editor.MinorIndex, -1);
    EXPECT_EQ(e.editor.KeyLabel, "C Major");
    EXPECT_EQ(e.editor.Header[0].Text, "Fa");
}

} // namespace

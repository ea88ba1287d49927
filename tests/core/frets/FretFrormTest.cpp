// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "document/GlobalData.h"
#include "document/InstDataType.h"
#include "frets/FretFrame.h"
#include "frets/FretFrorm.h"
#include "pitch/Keys.h"
#include "pitch/Temperaments.h"

using namespace vorn;

namespace {

// A top string c at 60 cm and A = 440 Hz, in quarter comma.
TInstDataType topStringC() {
    TInstDataType d;
    d.ApplyTemplate(3, 2, "");
    d.CourseNotes[0] = NoteValue{60, 0, 0};
    d.StringLength = 60;
    d.APitch = 440;
    return d;
}

struct Page {
    TGlobalData settings;
    TInstDataType document = topStringC();
    TFretFrorm page{settings};
    int temperamentNotices = 0;

    Page() {
        page.OnTemperamentChanged = [this] { ++temperamentNotices; };
    }
};

struct SliderCase {
    int position;
    int identifier;
    double fraction;
    const char* shown; // the tenth selector item
};

class FretSliderTest : public ::testing::TestWithParam<SliderCase> {};

TEST_P(FretSliderTest, PositionGivesTemperamentAndName) {
    const SliderCase& c = GetParam();
    Page p;
    p.page.Bind(p.document);
    p.temperamentNotices = 0;
    p.page.SliderMoved(c.position);
    EXPECT_EQ(p.document.Temperament, c.identifier);
    EXPECT_DOUBLE_EQ(p.document.CommaFraction, c.fraction);
    EXPECT_EQ(p.page.SelectorIndex, 9);
    EXPECT_EQ(p.page.SelectorItems[9], c.shown);
    EXPECT_FALSE(p.page.Named);
    EXPECT_EQ(p.temperamentNotices, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, FretSliderTest,
    ::testing::Values(SliderCase{50, 2, 0.25, "1/4 Comma (Pure major third)"},
                      SliderCase{34, 4, 1.0 / 6, "1/6 Comma"},
                      SliderCase{33, 5, 1.0 / 6.05, "1/6 Comma (Gerle-Dowland)"},
                      SliderCase{0, 8, 0.0, "Pythagorian Temperament"},
                      SliderCase{68, 0, 1.0 / 3, "1/3 Comma (Pure minor third)"},
                      SliderCase{45, 9, 0.225, "22% Comma Meantone"},
                      SliderCase{46, 9, 0.23, "23% Comma Meantone"},
                      SliderCase{16, 9, 0.08, "8% Comma Meantone"},
                      SliderCase{200, 0, 1.0 / 3, "1/3 Comma (Pure minor third)"}));

TEST(FretFrorm, SelectorMovesSliderWithoutCustomName) {
    Page p;
    p.page.Bind(p.document);
    p.page.SliderMoved(45);
    p.temperamentNotices = 0;
    p.page.SelectorChanged(2);
    EXPECT_EQ(p.page.SliderPosition, 50);
    EXPECT_TRUE(p.page.Named);
    EXPECT_EQ(p.page.SelectorIndex, 2);
    EXPECT_EQ(p.page.SelectorItems[9], "");
    EXPECT_EQ(p.page.FifthLabel, "Tempered fifth:  696.58 cents");
    EXPECT_EQ(p.document.Temperament, 2);
    EXPECT_DOUBLE_EQ(p.document.CommaFraction, 0.25);
    EXPECT_EQ(p.temperamentNotices, 1);
}

TEST(FretFrorm, TenthItemKeepsTheFractionAsCustom) {
    Page p;
    p.page.Bind(p.document);
    p.page.SliderMoved(46);
    p.page.SelectorChanged(9);
    EXPECT_EQ(p.document.Temperament, 9);
    EXPECT_DOUBLE_EQ(p.document.CommaFraction, 0.23);
    EXPECT_EQ(p.page.SliderPosition, 46);
}

struct BindCase {
    double fraction;
    int slider;
    int identifier;
    double taken;
};

class FretBindTest : public ::testing::TestWithParam<BindCase> {};

TEST_P(FretBindTest, CustomFractionLandsOnTheSliderGrid) {
    const BindCase& c = GetParam();
    Page p;
    p.document.Temperament = CustomTemperament;
    p.document.CommaFraction = c.fraction;
    p.page.Bind(p.document);
    EXPECT_EQ(p.page.SliderPosition, c.slider);
    EXPECT_EQ(p.document.Temperament, c.identifier);
    EXPECT_DOUBLE_EQ(p.document.CommaFraction, c.taken);
    EXPECT_DOUBLE_EQ(p.page.Fraction, c.taken);
}

INSTANTIATE_TEST_SUITE_P(Fractions, FretBindTest,
                         ::testing::Values(BindCase{0.225, 45, 9, 0.225},
                                           BindCase{0.2237, 45, 9, 0.225},
                                           BindCase{0.2499, 50, 2, 0.25},
                                           BindCase{0.9, 68, 0, 1.0 / 3},
                                           BindCase{-0.2, 0, 8, 0.0}));

TEST(FretFrorm, BindShowsTheDocument) {
    Page p;
    p.document.StringLength = 59.3f;
    p.document.CourseNotes[0] = NoteValue{61, acc_flat, 1};
    p.document.SetTemperament(7);
    p.page.Bind(p.document);
    EXPECT_EQ(p.page.StringLengthText, "59.2999992370605");
    EXPECT_EQ(p.page.PitchText, "440");
    EXPECT_EQ(p.page.SelectorIndex, 7);
    EXPECT_EQ(p.page.SliderPosition, 18);
    // A spelling the user fixed survives; the view marks it fixed.
    EXPECT_EQ(p.page.TopNote.Accidental, acc_flat);
    EXPECT_EQ(p.page.TopNote.SpellingFixed, 1);
}

TEST(FretFrorm, QuarterCommaRowsOverC) {
    Page p;
    p.page.Bind(p.document);
    p.page.SliderMoved(50);
    EXPECT_EQ(p.page.TopPlayHertz, 263);
    EXPECT_EQ(p.page.TopPlayHint, "Play c ( 263.18 hz.)");

    const FretRowView& one = p.page.Rows[0];
    EXPECT_EQ(one.Fret, 1);
    EXPECT_EQ(one.Main.Marker, "Fa");
    EXPECT_EQ(one.Main.MarkerHint, "Diatonic Semitone");
    EXPECT_EQ(one.Main.Place, fp_bottom);
    EXPECT_EQ(one.Main.Choice, fc_fa);
    EXPECT_EQ(one.Main.Note.Number, 61);
    EXPECT_EQ(one.Main.Note.Accidental, acc_flat);
    EXPECT_EQ(one.Main.Distance, "   3.92 cm.");
    EXPECT_TRUE(one.Alt.Visible);
    EXPECT_EQ(one.Alt.Marker, "Mi");
    EXPECT_EQ(one.Alt.Place, fp_top);
    EXPECT_EQ(one.Alt.Note.Accidental, acc_sharp);
    EXPECT_EQ(one.Alt.Distance, "   2.58 cm.");
    EXPECT_EQ(one.Alt.MarkerHint, "Chromatic Semitone");
    // The Fa d-flat sounds above the Mi c-sharp in meantone.
    EXPECT_GT(one.Main.Frequency, one.Alt.Frequency);
    EXPECT_EQ(one.Main.PlayHint.rfind("Play d-flat (", 0), 0u) << one.Main.PlayHint;

    const FretRowView& twelve = p.page.Rows[11];
    EXPECT_EQ(twelve.Main.Distance, "  30.00 cm.");
    EXPECT_EQ(twelve.Main.Choice, fc_fixed);
    EXPECT_EQ(twelve.Main.Place, fp_near_top);
    EXPECT_EQ(twelve.Main.Marker, "");
    EXPECT_FALSE(twelve.Alt.Visible);
    EXPECT_EQ(twelve.Main.PlayHertz, 526);
}

// Over a (69) in quarter comma with the standard choices. Each position is named by its letter's
// octave and plays where the fret sits, not where the table puts its spelling: the C-flat of
// fret 2 is a diesis above b (491.9 Hz), at 503.7 Hz.
TEST(FretFrorm, FretNamesByLetterAndPlayAtThePosition) {
    Page p;
    p.document.CourseNotes[0] = NoteValue{69, 0, 0};
    p.page.Bind(p.document);
    p.page.SliderMoved(50);
    const struct {
        int fret;
        const char* main;
        int mainHz;
        const char* alt;
        int altHz;
    } rows[] = {
        {1, "b-flat", 471, "a-sharp", 460},
        {2, "b", 492, "c-flat'", 504},
        {3, "c'", 526, "b-sharp", 514},
        {13, "b-flat'", 942, "a-sharp'", 920},
        // fret 14 has the tenth on both sides; its alternative is named like fret 2's
        {14, "b'", 984, "c-flat\"", 984},
    };
    for (const auto& r : rows) {
        const FretRowView& row = p.page.Rows[r.fret - 1];
        SCOPED_TRACE("fret " + std::to_string(r.fret));
        EXPECT_EQ(row.Main.PlayHint.rfind("Play " + std::string(r.main) + " (", 0), 0u)
            << row.Main.PlayHint;
        EXPECT_EQ(row.Alt.PlayHint.rfind("Play " + std::string(r.alt) + " (", 0), 0u)
            << row.Alt.PlayHint;
        EXPECT_EQ(row.Main.PlayHertz, r.mainHz);
        EXPECT_EQ(row.Alt.PlayHertz, r.altHz);
        EXPECT_EQ(p.page.Distribution.Rows[r.fret - 1].Main.Name, r.main);
        EXPECT_EQ(p.page.Distribution.Rows[r.fret - 1].Alt->Name, r.alt);
    }
}

TEST(FretFrorm, MarkersChangeOnlyCustomizedChangeableFrets) {
    Page p;
    p.page.Bind(p.document);
    p.page.SliderMoved(50);
    const FretChoices before = p.document.FretMiFa;
    EXPECT_FALSE(p.page.PressMarker(1)); // Standard
    EXPECT_EQ(p.document.FretMiFa, before);

    p.page.SetCustomized(true);
    EXPECT_EQ(p.document.CustomPlacement, 1);
    for (int fret : {2, 5, 7, 12, 13, 14, 0, 15})
        EXPECT_FALSE(p.page.PressMarker(fret)) << "fret " << fret;
    EXPECT_EQ(p.document.FretMiFa, before);

    ASSERT_EQ(p.page.Rows[0].Main.Marker, "Fa");
    EXPECT_TRUE(p.page.PressMarker(1));
    EXPECT_EQ(p.document.FretMiFa[0], fc_mi);
    EXPECT_EQ(p.page.Rows[0].Main.Marker, "Mi");
    EXPECT_EQ(p.page.Rows[0].Main.Distance, "   2.58 cm.");
    // Fret 13 repeats fret 1 an octave up.
    EXPECT_EQ(p.page.Rows[12].Main.Marker, "Mi");
    EXPECT_TRUE(p.page.PressMarker(1));
    EXPECT_EQ(p.document.FretMiFa[0], fc_fa);

    // Back to Standard the document's own choices stay but are not shown.
    p.page.PressMarker(1);
    p.page.SetCustomized(false);
    EXPECT_EQ(p.document.FretMiFa[0], fc_mi);
    EXPECT_EQ(p.page.Rows[0].Main.Marker, "Fa");
}

TEST(FretFrorm, ViewSettingsAreRemembered) {
    Page p;
    p.page.Bind(p.document);
    p.page.SetShowAlternatives(true);
    EXPECT_EQ(p.page.AltPositionTitle(), "Alternatative Fret Position");
    EXPECT_EQ(p.page.AltPlayTitle(), "Play");
    p.page.SetShowAlternatives(false);
    EXPECT_EQ(p.settings.ShowAlternativeFrets, 0);
    EXPECT_EQ(p.page.AltPositionTitle(), "");
    EXPECT_EQ(p.page.AltPlayTitle(), "");

    EXPECT_EQ(p.page.ExtraFretsCaption(), "Show extra frets");
    p.page.ToggleExtraFrets();
    EXPECT_EQ(p.settings.ExtraCoursesVisible, 1);
    EXPECT_EQ(p.page.ExtraFretsCaption(), "Hide extra frets");

    EXPECT_EQ(p.page.GraphicButtonCaption(), "Show fret graphic");
    EXPECT_EQ(p.page.GraphicButtonHint(), "");
    p.page.ToggleGraphic();
    EXPECT_EQ(p.settings.FretGraphicVisible, 1);
    EXPECT_EQ(p.page.GraphicButtonCaption(), "");
    EXPECT_EQ(p.page.GraphicButtonHint(), "Hide fret graphic");
}

TEST(FretGraphic, FretsToScaleAndEqualMarks) {
    TFretFrame frame;
    const int width = 400;
    const FretGraphicLayout q = frame.Layout(width, DefaultMiFa, 0.25);
    EXPECT_EQ(q.NeckWidth, 362);
    EXPECT_EQ(q.BodyX, 370);
    EXPECT_EQ(q.Fret12X, 380);
    // Scale 764 px: the quarter-comma fifth (fret 7) at 764 * (1 - 2^(-696.578/1200)).
    EXPECT_EQ(q.FretX[6], 251);
    EXPECT_EQ(q.LabelX[6], 250);
    EXPECT_EQ(q.LabelX[9], q.FretX[9] - 3);
    // Equal temperament's first fret at 764 * (1 - 2^(-1/12)) = 42.88.
    EXPECT_EQ(q.EqualX[0], 42);
    // The marks do not follow the document's temperament; in equal temperament they sit one
    // pixel right of the frets.
    const FretGraphicLayout e = frame.Layout(width, DefaultMiFa, 1.0 / 11);
    EXPECT_EQ(e.EqualX, q.EqualX);
    for (int k = 0; k < GraphicFretCount; ++k)
        EXPECT_EQ(e.EqualX[k], e.FretX[k] + 1) << "fret " << k + 1;
    // Fa frets lie further from the nut than their Mi alternatives.
    FretChoices allMi = DefaultMiFa;
    allMi[0] = fc_mi;
    EXPECT_LT(frame.Layout(width, allMi, 0.25).FretX[0], q.FretX[0]);
}

} // namespace

namespace {

struct ScaleCase {
    const char* Name;
    FretRule Rule;
    std::array<double, 3> Fractions; // frets 1, 4 and 11 of the string
};

class FretPageScaleTest : public ::testing::TestWithParam<ScaleCase> {};

// A scale frets the page with its own positions, one per fret, and named where the
// temperament was; choosing a temperament again takes it away, and binding keeps it.
TEST_P(FretPageScaleTest, RowsFollowTheScaleUntilATemperamentIsChosen) {
    const ScaleCase& c = GetParam();
    Page p;
    p.page.Bind(p.document);
    const TFretFrorm meantone = p.page;
    const int notices = p.temperamentNotices;
    p.page.SetScale(RuleScale(c.Rule));
    EXPECT_EQ(p.temperamentNotices, notices + 1);
    EXPECT_EQ(p.page.ScaleName, RuleScale(c.Rule).Name);
    EXPECT_EQ(p.page.FifthLabel, "Scale: " + RuleScale(c.Rule).Name);
    const int frets[] = {1, 4, 11};
    for (int i = 0; i < 3; ++i) {
        const FretRowView& row = p.page.Rows[frets[i] - 1];
        EXPECT_EQ(row.Main.Distance, FormatFixed(60 * c.Fractions[i]) + " cm.") << frets[i];
        EXPECT_FALSE(row.Alt.Visible);
        EXPECT_TRUE(row.Main.Marker.empty());
    }
    EXPECT_EQ(p.page.Rows[11].Main.Distance, FormatFixed(30) + " cm.");
    // No interval names of meantone: the octave is the octave, in cents.
    EXPECT_EQ(p.page.Rows[11].Main.MarkerHint, "1200.00 cents above the open string");

    TInstDataType reopened = p.document;
    TFretFrorm again(p.settings);
    again.Bind(reopened);
    EXPECT_TRUE(reopened.Scale.has_value());
    EXPECT_EQ(again.Rows[3].Main.Distance, p.page.Rows[3].Main.Distance);

    p.page.SelectorChanged(p.document.Temperament);
    EXPECT_FALSE(p.document.Scale.has_value());
    EXPECT_TRUE(p.page.ScaleName.empty());
    EXPECT_EQ(p.page.FifthLabel, meantone.FifthLabel);
    EXPECT_EQ(p.page.Rows[0].Main.Distance, meantone.Rows[0].Main.Distance);
    EXPECT_EQ(p.page.Rows[0].Alt.Distance, meantone.Rows[0].Alt.Distance);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FretPageScaleTest,
    ::testing::Values(ScaleCase{"Dowland", fr_dowland, {2.0 / 33, 53.0 / 264, 185.0 / 396}},
                      ScaleCase{
                          "Galilei",
                          fr_galilei,
                          {1.0 / 18, 1 - std::pow(17.0 / 18, 4), 1 - std::pow(17.0 / 18, 11)}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(FretPageScale, TheSliderTakesTheScaleAwayToo) {
    Page p;
    p.page.Bind(p.document);
    p.page.SetScale(RuleScale(fr_galilei));
    p.page.SliderMoved(40);
    EXPECT_FALSE(p.document.Scale.has_value());
    FretScale broken = RuleScale(fr_galilei);
    broken.Cents.pop_back();
    p.page.SetScale(broken);
    EXPECT_FALSE(p.document.Scale.has_value()) << "an unusable scale is not taken";
}

} // namespace

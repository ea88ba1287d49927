// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "chart/GlobalChanges.h"
#include "chart/StatusLine.h"
#include "document/InstrumentTemplates.h"
#include "files/DocumentSnapshot.h"
#include "files/FileFrame.h"
#include "files/RecoveryFile.h"
#include "files/RowFigures.h"
#include "support/CaseName.h"

namespace vorn {
namespace {

// Every text the rows and the bridge panel show, each named by its place.
std::vector<std::string> ShownTexts(const TFileFrame& frame) {
    const TGlobalData& settings = frame.Settings;
    std::vector<std::string> texts;
    for (const auto& course : frame.Chart.Courses) {
        for (int which = 0; which < (course->HasSecond() ? 2 : 1); ++which) {
            const TOneStringPanel& s = course->String(which);
            const std::string at =
                "course " + std::to_string(course->Number) + (which ? " octave " : " ");
            texts.push_back(at + "frequency " + s.FrequencyText());
            texts.push_back(at + "length " + s.LengthText());
            texts.push_back(at + "tension " + s.TensionText(settings));
            texts.push_back(at + "gut " + s.GutDiameterText());
            texts.push_back(at + "alternative " + s.Rec.AltChoice);
            texts.push_back(at + "alternative diameter " + s.AltText(settings.Materials));
            texts.push_back(at + "red " + std::to_string(s.TensionRed()) +
                            std::to_string(s.GutDiameterRed()) +
                            std::to_string(s.AltDiameterRed()));
        }
    }
    texts.push_back(BridgeText(frame.Chart.TotalTension(), settings.TensionUnit));
    return texts;
}

// Course 3 is where the edits go; the preparation leaves figures that no body gives back.
constexpr int Pyramid = 4; // positions in the alternative list
constexpr int Nylon = 0;

struct FigureCase {
    const char* name;
    std::function<void(TFileFrame&)> prepare;
    std::function<void(TFileFrame&)> edit;
};

void PrintTo(const FigureCase& c, std::ostream* out) {
    *out << c.name;
}

// clang-format off
const FigureCase FigureCases[] = {
    {"typed tension", [](TFileFrame&) {},
     [](TFileFrame& f) { f.Chart.Course(2).EditTension(0, 4.567); }},
    {"typed gut diameter", [](TFileFrame& f) { f.Chart.Course(0).EditTension(0, 3.21); },
     [](TFileFrame& f) { f.Chart.Course(2).EditGutDiameter(0, 0.8765); }},
    {"catalogue step",
     [](TFileFrame& f) {
         f.Chart.Course(2).SelectAlternative(0, Pyramid);
         f.Chart.Course(2).SpinAltDiameter(0, true);
     },
     [](TFileFrame& f) { f.Chart.Course(0).EditTension(0, 3.33); }},
    {"catalogue stepped to its first row",
     [](TFileFrame& f) {
         f.Chart.Course(2).SelectAlternative(0, Pyramid);
         for (int step = 0; step < 40; ++step)
             f.Chart.Course(2).SpinAltDiameter(0, false);
     },
     [](TFileFrame& f) { f.Chart.Course(2).EditTension(0, 6.66); }},
    {"typed alternative diameter",
     [](TFileFrame& f) { f.Chart.Course(2).SelectAlternative(0, Nylon); },
     [](TFileFrame& f) { f.Chart.Course(2).EditAltDiameter(0, 1.2345); }},
    {"typed length", [](TFileFrame&) {},
     [](TFileFrame& f) { f.Chart.Course(2).EditLength(61.237); }},
    {"global tension", [](TFileFrame& f) { f.Chart.Course(1).EditGutDiameter(0, 0.505); },
     [](TFileFrame& f) { GlobalTension(f.Chart, f.Settings.TensionUnit, false, 5.55f); }},
};
// clang-format on

class FiguresComeBack : public ::testing::TestWithParam<std::tuple<int, FigureCase>> {
protected:
    TGlobalData settings;

    void Start(TFileFrame& frame) {
        settings.DefaultInstrumentType = std::get<0>(GetParam());
        frame.NewFromDefaults();
        frame.ViewStrings();
    }
    const FigureCase& Case() const { return std::get<1>(GetParam()); }
};

// Undo and redo of one step show every figure as it was shown, whatever rounding a body read
// back alone would bring.
TEST_P(FiguresComeBack, ThroughUndoAndRedo) {
    TFileFrame frame(settings);
    Start(frame);
    Case().prepare(frame);
    const std::vector<std::string> before = ShownTexts(frame);
    const DocumentSnapshot undone = TakeSnapshot(frame);
    Case().edit(frame);
    const std::vector<std::string> after = ShownTexts(frame);
    const DocumentSnapshot done = TakeSnapshot(frame);
    ASSERT_NE(done, undone);

    ASSERT_TRUE(RestoreSnapshot(frame, undone));
    EXPECT_EQ(ShownTexts(frame), before);
    EXPECT_EQ(TakeSnapshot(frame), undone);
    ASSERT_TRUE(RestoreSnapshot(frame, done));
    EXPECT_EQ(ShownTexts(frame), after);
    EXPECT_EQ(TakeSnapshot(frame), done);
}

// A recovery copy written and read back gives a fresh tab the figures and the current course
// the chart showed.
TEST_P(FiguresComeBack, ThroughARecoveryCopy) {
    TFileFrame frame(settings);
    Start(frame);
    Case().prepare(frame);
    Case().edit(frame);
    const DocumentSnapshot now = TakeSnapshot(frame);
    const std::string bytes = RecoveryFileBytes(RecordOf(frame, now.Body, now.Figures));

    RecoveryRecord record;
    std::string error;
    ASSERT_TRUE(ReadRecoveryBytes(bytes, record, &error)) << error;
    TFileFrame back(settings);
    ASSERT_EQ(RestoreRecovered(back, record).Result, LoadResult::Loaded);
    EXPECT_EQ(ShownTexts(back), ShownTexts(frame));
    EXPECT_EQ(back.Chart.Current(), frame.Chart.Current());
    EXPECT_EQ(TakeSnapshot(back), now);
}

INSTANTIATE_TEST_SUITE_P(AllTemplates, FiguresComeBack,
                         ::testing::Combine(::testing::Range(0, InstrumentTypeCount),
                                            ::testing::ValuesIn(FigureCases)),
                         [](const auto& info) {
                             return "type" + std::to_string(std::get<0>(info.param)) + "_" +
                                    vorn::testing::CaseName(std::get<1>(info.param).name);
                         });

// A display unit shows the same values otherwise: switching it is no change of the figures,
// and a step taken back shows its catalogue label in the unit of now.
TEST(RowFigures, AreTheSameInEveryDisplayUnit) {
    TGlobalData settings;
    settings.DefaultInstrumentType = 3;
    TFileFrame frame(settings);
    frame.NewFromDefaults();
    frame.ViewStrings();
    frame.Chart.Course(2).SelectAlternative(0, Pyramid);
    frame.Chart.Course(2).SpinAltDiameter(0, true);
    const DocumentSnapshot before = TakeSnapshot(frame);
    for (VornTensType unit : {tt_newtons, tt_pounds, tt_kilograms}) {
        settings.SetTensionUnit(unit);
        settings.NotifyChanged(sc_tension_unit);
        EXPECT_EQ(TakeSnapshot(frame), before) << unit;
        const std::vector<std::string> shown = ShownTexts(frame);
        ASSERT_TRUE(RestoreSnapshot(frame, before));
        EXPECT_EQ(ShownTexts(frame), shown) << unit;
    }
}

// Figures that were not taken with the body are left out: the rows show what the body gives.
struct MismatchCase {
    const char* name;
    std::function<std::string(const DocumentSnapshot& own, const DocumentSnapshot& other)> figures;
};

void PrintTo(const MismatchCase& c, std::ostream* out) {
    *out << c.name;
}

const MismatchCase MismatchCases[] = {
    {"of another body",
     [](const DocumentSnapshot&, const DocumentSnapshot& other) { return other.Figures; }},
    {"cut short",
     [](const DocumentSnapshot& own, const DocumentSnapshot&) {
         return own.Figures.substr(0, own.Figures.size() - 1);
     }},
    {"with bytes after",
     [](const DocumentSnapshot& own, const DocumentSnapshot&) { return own.Figures + "x"; }},
    {"for fewer courses",
     [](const DocumentSnapshot& own, const DocumentSnapshot&) {
         std::string fewer = own.Figures;
         fewer[0] = static_cast<char>(fewer[0] - 1);
         return fewer;
     }},
    {"with a length that is no number",
     [](const DocumentSnapshot& own, const DocumentSnapshot&) {
         std::string broken = own.Figures;
         broken.replace(2, 4, "\xff\xff\xff\x7f", 4); // course 1's length: NaN
         return broken;
     }},
};

class ForeignFigures : public ::testing::TestWithParam<MismatchCase> {};

TEST_P(ForeignFigures, AreLeftOut) {
    TGlobalData settings;
    settings.DefaultInstrumentType = 3;
    TFileFrame frame(settings);
    frame.NewFromDefaults();
    frame.ViewStrings();
    frame.Chart.Course(2).EditGutDiameter(0, 0.8765);
    const DocumentSnapshot own = TakeSnapshot(frame);
    frame.Chart.Course(4).EditLength(70.25);
    const DocumentSnapshot other = TakeSnapshot(frame);

    // What the body alone gives.
    TFileFrame plain(settings);
    plain.NewFromDefaults();
    ASSERT_TRUE(RestoreSnapshot(plain, {own.Body, {}}));
    const std::vector<std::string> plainTexts = ShownTexts(plain);

    const std::string figures = GetParam().figures(own, other);
    EXPECT_FALSE(PutBackRowFigures(plain.Chart, figures, own.Body));
    EXPECT_EQ(ShownTexts(plain), plainTexts);
    ASSERT_TRUE(RestoreSnapshot(frame, {own.Body, figures}));
    EXPECT_EQ(ShownTexts(frame), plainTexts);
}

INSTANTIATE_TEST_SUITE_P(All, ForeignFigures, ::testing::ValuesIn(MismatchCases),
                         [](const auto& info) { return vorn::testing::CaseName(info.param.name); });

} // namespace
} // namespace vorn

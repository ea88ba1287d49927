// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "chart/GlobalChanges.h"
#include "files/ChangeNames.h"
#include "files/DocumentSnapshot.h"
#include "files/FileFrame.h"

namespace vorn {
namespace {

struct NamedChange {
    const char* what;
    std::function<void(TFileFrame&)> change; // row edits note their cell on the chart
    std::string name;
};

void PrintTo(const NamedChange& c, std::ostream* os) {
    *os << c.what;
}

TOneCrsPanel& Course(TFileFrame& f, int n) {
    return f.Chart.Course(n - 1);
}

class ChangeNames : public ::testing::TestWithParam<NamedChange> {};

// A ten-course alto lute; its courses 6 and up have octave strings.
TEST_P(ChangeNames, NameTheStepAnUndoTakesBack) {
    TGlobalData settings;
    settings.DefaultInstrumentType = 3;
    TFileFrame frame(settings);
    frame.NewFromDefaults();
    frame.ViewStrings();
    const std::string before = TakeSnapshot(frame).Body;
    frame.Chart.LastEdit = {};
    GetParam().change(frame);
    const std::string after = TakeSnapshot(frame).Body;
    ASSERT_NE(before, after);
    EXPECT_EQ(DescribeChange(before, after, frame.Chart.LastEdit), GetParam().name);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Changes, ChangeNames, ::testing::Values(
    NamedChange{"typed tension", [](TFileFrame& f) { Course(f, 3).EditTension(0, 7.5); },
                "Tension of course 3"},
    NamedChange{"octave string's gut", [](TFileFrame& f) { Course(f, 7).SpinGutDiameter(1, true); },
                "Gut diameter of course 7"},
    NamedChange{"course type", [](TFileFrame& f) { Course(f, 5).SelectType(2); },
                "Course type of course 5"},
    // A note that does not fit what changed is not believed: the bodies tell.
    NamedChange{"note of another course", [](TFileFrame& f) {
                    Course(f, 2).EditLength(50.0);
                    f.Chart.LastEdit = {ec_tension, 3, {}};
                }, "Length of course 2"},
    NamedChange{"unnoted diameters", [](TFileFrame& f) {
                    Course(f, 2).EditGutDiameter(0, 0.9);
                    Course(f, 4).EditGutDiameter(0, 1.1);
                    f.Chart.LastEdit = {};
                }, "Gut diameters"},
    NamedChange{"label over the row edits inside", [](TFileFrame& f) {
                    f.Chart.LastEdit.Label = "Global Course Type";
                    GlobalCourseType(f.Chart, ck_single, false);
                    Course(f, 5).SelectType(2);
                }, "Global Course Type"},
    NamedChange{"unlabelled course types",
                [](TFileFrame& f) { GlobalCourseType(f.Chart, ck_single, false); }, "Course types"},
    NamedChange{"courses added", [](TFileFrame& f) { GlobalCourses(f.Chart, 12, 2); },
                "Number of courses"},
    NamedChange{"temperament and its retuning", [](TFileFrame& f) {
                    f.Document.SetTemperament(2);
                    f.Chart.RefreshTuning();
                }, "Temperament"},
    NamedChange{"fitted temperament with its frets", [](TFileFrame& f) {
                    f.Document.SetTemperament(3);
                    f.Document.FretMiFa[2] ^= 1;
                }, "Temperament"},
    NamedChange{"customized frets", [](TFileFrame& f) { f.Document.CustomPlacement ^= 1; },
                "Fret choices"},
    NamedChange{"placement defaults", [](TFileFrame& f) {
                    f.Document.Key = 3;
                    f.Document.FretMiFa[2] ^= 1;
                }, "Key"},
    NamedChange{"instrument name", [](TFileFrame& f) { f.Document.InstrumentName += "x"; },
                "Instrument name"},
    NamedChange{"pitch and name", [](TFileFrame& f) {
                    f.Document.APitch = 415;
                    f.Document.InstrumentName += "x";
                }, "File Setup"}));
// clang-format on

TEST(ChangeNamesOfBrokenBodies, AreGeneric) {
    TGlobalData settings;
    TFileFrame frame(settings);
    frame.NewFromDefaults();
    const std::string body = TakeSnapshot(frame).Body;
    for (const std::string& broken : {std::string(), body.substr(0, body.size() / 2)}) {
        EXPECT_EQ(DescribeChange(body, broken, {ec_tension, 1, {}}), "Change");
        EXPECT_EQ(DescribeChange(broken, body), "Change");
    }
}

} // namespace
} // namespace vorn

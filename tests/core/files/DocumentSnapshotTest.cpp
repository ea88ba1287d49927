// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "chart/GlobalChanges.h"
#include "document/InstrumentTemplates.h"
#include "files/DocumentSnapshot.h"
#include "files/FileFrame.h"

namespace vorn {
namespace {

// Every template with an edited row: a body read back in place writes the same bytes, or an
// undo would itself look like a change.
class SnapshotOfTemplate : public ::testing::TestWithParam<int> {};

TEST_P(SnapshotOfTemplate, ReadsBackToTheSameBytes) {
    TGlobalData settings;
    settings.DefaultInstrumentType = GetParam();
    TFileFrame frame(settings);
    frame.NewFromDefaults();
    frame.ViewStrings();
    frame.Chart.Course(1).EditTension(0, 6.25);
    const DocumentSnapshot body = TakeSnapshot(frame);
    ASSERT_TRUE(RestoreSnapshot(frame, body));
    EXPECT_EQ(TakeSnapshot(frame), body);
}

// A new document's history starts before its rows are built: building them must not look
// like a change of its own.
TEST_P(SnapshotOfTemplate, IsTheSameBeforeAndAfterTheRowsAreBuilt) {
    TGlobalData settings;
    settings.DefaultInstrumentType = GetParam();
    TFileFrame frame(settings);
    frame.NewFromDefaults();
    const DocumentSnapshot unbuilt = TakeSnapshot(frame);
    ASSERT_FALSE(frame.HasCourseRows());
    frame.ViewStrings();
    EXPECT_EQ(TakeSnapshot(frame), unbuilt);

    // And taken back, it shows the rows that building them gave.
    TFileFrame back(settings);
    back.NewFromDefaults();
    ASSERT_TRUE(RestoreSnapshot(back, unbuilt));
    EXPECT_EQ(TakeSnapshot(back), unbuilt);
}

INSTANTIATE_TEST_SUITE_P(Templates, SnapshotOfTemplate, ::testing::Range(0, InstrumentTypeCount));

// Undo and redo of one change: the document goes back and forth in place, and its names,
// what it was saved as and its current course stay.
class SnapshotAfter : public ::testing::TestWithParam<std::function<void(TStrFrame&)>> {};

TEST_P(SnapshotAfter, UndoAndRedoInPlace) {
    TGlobalData settings;
    settings.DefaultInstrumentType = 10;
    TFileFrame frame(settings);
    frame.NewFromDefaults();
    frame.ViewStrings();
    frame.FileName = "lute.vrd";
    frame.FilePath = "/somewhere/lute.vrd";
    const DocumentSnapshot saved = TakeSnapshot(frame);
    GetParam()(frame.Chart);
    frame.Chart.SelectCourse(2);
    const DocumentSnapshot edited = TakeSnapshot(frame);
    ASSERT_TRUE(frame.Changed());

    ASSERT_TRUE(RestoreSnapshot(frame, saved));
    EXPECT_EQ(TakeSnapshot(frame), saved);
    EXPECT_FALSE(frame.Changed());
    EXPECT_EQ(frame.FileName, "lute.vrd");
    EXPECT_EQ(frame.FilePath, "/somewhere/lute.vrd");
    EXPECT_EQ(frame.Chart.Current(), 2);

    ASSERT_TRUE(RestoreSnapshot(frame, edited));
    EXPECT_EQ(TakeSnapshot(frame), edited);
    EXPECT_TRUE(frame.Changed());
}

INSTANTIATE_TEST_SUITE_P(Changes, SnapshotAfter,
                         ::testing::Values([](TStrFrame& c) { c.Course(4).SelectType(2); },
                                           [](TStrFrame& c) { GlobalCourses(c, 6, 0); },
                                           [](TStrFrame& c) { GlobalCourses(c, 19, 2); },
                                           [](TStrFrame& c) { GlobalTuning(c, 2, 415, -2); }));

TEST(Snapshot, BrokenBytesLeaveTheDocument) {
    TGlobalData settings;
    TFileFrame frame(settings);
    frame.NewFromDefaults();
    frame.ViewStrings();
    const DocumentSnapshot whole = TakeSnapshot(frame);
    const std::string& body = whole.Body;
    for (const std::string& broken : {body.substr(0, body.size() - 3), std::string(99, 'x')}) {
        EXPECT_FALSE(RestoreSnapshot(frame, {broken, whole.Figures}));
        EXPECT_EQ(TakeSnapshot(frame), whole);
    }
}

} // namespace
} // namespace vorn

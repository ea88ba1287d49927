// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "chart/GlobalChanges.h"
#include "files/CheckedChange.h"
#include "files/DocumentFile.h"
#include "files/DocumentStore.h"
#include "files/FileFrame.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "support/CaseName.h"

namespace vorn {
namespace {

using Change = std::function<void(TStrFrame&)>;

std::string Body(TFileFrame& frame) {
    ByteWriter out;
    WriteDocument(frame, out);
    return out.take();
}

// Shortened to 20 cm and tuned an octave down at A = 20 Hz: at 2000 N the Large Bass Viol's
// low courses would need gut strings some 20 cm thick, which no file may hold.
void ShortAndLow(TStrFrame& chart) {
    GlobalStringLength(chart, 20.0f, false, 0.0f, 6);
    GlobalTuning(chart, 5, 20.0f, -12);
}

void Absurd(TStrFrame& chart) {
    GlobalTension(chart, tt_newtons, false, 2000.0f);
    ShortAndLow(chart);
}

struct CheckedCase {
    const char* what;
    Change before; // applied unchecked first; may be empty
    Change change;
    bool applied;
};

const CheckedCase CheckedCases[] = {
    {"tension and tuning at once", {}, Absurd, false},
    {"tuning after a tension that reads back",
     [](TStrFrame& c) { GlobalTension(c, tt_newtons, false, 2000.0f); }, ShortAndLow, false},
    {"unit and gut density moved by a refused change",
     {},
     [](TStrFrame& c) {
         GlobalTension(c, tt_pounds, false, 2000.0f);
         GlobalGut(c, rm_tension, 1.5f);
         ShortAndLow(c);
     },
     false},
    {"courses added", {}, [](TStrFrame& c) { GlobalCourses(c, 12, 2); }, true},
    {"pitch and temperament", {}, [](TStrFrame& c) { GlobalTuning(c, 2, 415.0f, 0); }, true},
    {"unit and tension",
     {},
     [](TStrFrame& c) { GlobalTension(c, tt_pounds, false, 300.0f); },
     true},
};

class CheckedChange : public ::testing::TestWithParam<CheckedCase> {
protected:
    TGlobalData settings;
    int notices = 0;

    // A new Large Bass Viol as opened from its file, so that its rows are what a copy read
    // from its body holds.
    std::unique_ptr<TFileFrame> Viol() {
        settings.DefaultInstrumentType = 23;
        TFileFrame made(settings);
        made.NewFromDefaults();
        const std::string body = Body(made);
        auto frame = std::make_unique<TFileFrame>(settings);
        ByteReader in(body);
        EXPECT_EQ(ReadDocument(*frame, in, "viol.vrd").Result, LoadResult::Loaded);
        return frame;
    }
};

TEST_P(CheckedChange, LandsOnlyWhenTheDocumentOpensAgain) {
    const CheckedCase& c = GetParam();
    auto frame = Viol();
    if (c.before)
        c.before(frame->Chart);
    const std::string before = Body(*frame);
    const TGlobalData settingsBefore = settings;
    const int listening = settings.Notice.Subscribe([this](unsigned) { ++notices; });

    std::string refusal;
    EXPECT_EQ(ApplyCheckedChange(*frame, c.change, &refusal), c.applied) << refusal;
    if (c.applied) {
        // As the change unchecked gives it, on a twin.
        TGlobalData twinSettings = settingsBefore;
        TFileFrame twin(twinSettings);
        ByteReader in(before);
        ASSERT_EQ(ReadDocument(twin, in, {}).Result, LoadResult::Loaded);
        c.change(twin.Chart);
        EXPECT_EQ(Body(*frame), Body(twin));
        EXPECT_EQ(ReadBackFault(Body(*frame), settings), "");
    } else {
        EXPECT_NE(refusal.find("does not open again"), std::string::npos) << refusal;
        EXPECT_NE(refusal.find("gut diameter"), std::string::npos) << refusal;
        EXPECT_EQ(Body(*frame), before);
        // Not even for a moment did the settings or any chart on them move.
        EXPECT_EQ(settings.TensionUnit, settingsBefore.TensionUnit);
        EXPECT_EQ(settings.DiameterChangeMode, settingsBefore.DiameterChangeMode);
        EXPECT_EQ(settings.Materials.Reference().Density,
                  settingsBefore.Materials.Reference().Density);
        EXPECT_EQ(notices, 0);
    }
    settings.Notice.Unsubscribe(listening);
}

INSTANTIATE_TEST_SUITE_P(Globals, CheckedChange, ::testing::ValuesIn(CheckedCases),
                         [](const auto& info) { return testing::CaseName(info.param.what); });

// The frame's own rows may round differently from the rehearsal's: what the frame ends with
// is checked too, and taken back, settings and all.
TEST_F(CheckedChange, AFrameThatEndsUnreadableIsTakenBack) {
    auto frame = Viol();
    const std::string before = Body(*frame);
    const VornTensType unit = settings.TensionUnit;
    int calls = 0;
    const Change secondTimeAbsurd = [&](TStrFrame& chart) {
        if (++calls == 2) {
            GlobalTension(chart, tt_pounds, false, 2000.0f);
            ShortAndLow(chart);
        }
    };
    std::string refusal;
    EXPECT_FALSE(ApplyCheckedChange(*frame, secondTimeAbsurd, &refusal));
    EXPECT_EQ(calls, 2);
    EXPECT_NE(refusal.find("does not open again"), std::string::npos) << refusal;
    EXPECT_EQ(Body(*frame), before);
    EXPECT_EQ(settings.TensionUnit, unit);
}

TEST_F(CheckedChange, ADocumentThatDoesNotReadBackTakesNoChange) {
    auto frame = Viol();
    Absurd(frame->Chart);
    const std::string before = Body(*frame);
    std::string refusal;
    EXPECT_FALSE(ApplyCheckedChange(
        *frame, [](TStrFrame& c) { GlobalTuning(c, 5, 440.0f, 0); }, &refusal));
    EXPECT_NE(refusal.find("as it stands"), std::string::npos) << refusal;
    EXPECT_EQ(Body(*frame), before);
}

} // namespace
} // namespace vorn

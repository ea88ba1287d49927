// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "files/DocumentFile.h"
#include "files/DocumentSnapshot.h"
#include "files/FileFrame.h"
#include "files/RecoveryFile.h"
#include "files/ScaleBlock.h"
#include "files/SettingsFile.h"
#include "frets/FretFrorm.h"
#include "frets/ScalaReader.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"

namespace vorn {
namespace {

const char* const JustScale = "! just.scl\n!\nJust intonation\n 12\n!\n 16/15\n 9/8\n 6/5\n 5/4\n"
                              " 4/3\n 45/32\n 3/2\n 8/5\n 5/3\n 9/5\n 15/8\n 2/1\n";

FretScale justScale() {
    const ScalaReading read = ReadScalaScale(JustScale, "just.scl");
    EXPECT_TRUE(read.Scale.has_value());
    return read.Scale.value_or(FretScale{});
}

std::string written(TFileFrame& frame) {
    ByteWriter out;
    WriteDocument(frame, out);
    return out.take();
}

// A baroque lute at 1/6 comma with its rows built.
struct Lute {
    TGlobalData settings;
    TFileFrame frame{settings};
    Lute() {
        frame.ApplyTemplate(10);
        frame.Document.SetTemperament(5);
        frame.ViewStrings();
    }
};

LoadOutcome readInto(TFileFrame& frame, const std::string& bytes) {
    ByteReader in(bytes);
    return ReadDocument(frame, in, "lute.vrd");
}

struct Carried {
    const char* Name;
    std::function<FretScale()> Scale;
};

class ScaleCarried : public ::testing::TestWithParam<Carried> {};

// The file, an undo step, the settings file's reopen copy and a recovery copy all give the
// scale back with the document.
TEST_P(ScaleCarried, ThroughEveryCopyOfTheDocument) {
    Lute lute;
    const std::string meantone = written(lute.frame);
    lute.frame.Document.Scale = GetParam().Scale();
    const std::string bytes = written(lute.frame);
    ASSERT_GT(bytes.size(), meantone.size());
    EXPECT_EQ(bytes.substr(0, meantone.size()), meantone) << "the block follows the body";

    Lute file;
    ASSERT_EQ(readInto(file.frame, bytes).Result, LoadResult::Loaded);
    EXPECT_EQ(file.frame.Document.Scale, lute.frame.Document.Scale);
    EXPECT_EQ(written(file.frame), bytes);
    EXPECT_FALSE(file.frame.Changed());

    Lute undone;
    ASSERT_TRUE(RestoreSnapshot(undone.frame, TakeSnapshot(lute.frame)));
    EXPECT_EQ(undone.frame.Document.Scale, lute.frame.Document.Scale);

    TGlobalData settings;
    settings.StartupChoice = 2;
    const SettingsLoad reopened =
        LoadSettingsData(SettingsFileBytes(settings, {&lute.frame}), settings);
    ASSERT_EQ(reopened.Documents.size(), 1u);
    EXPECT_EQ(reopened.Documents[0]->Document.Scale, lute.frame.Document.Scale);

    RecoveryRecord record = RecordOf(lute.frame, bytes, {});
    RecoveryRecord read;
    std::string error;
    ASSERT_TRUE(ReadRecoveryBytes(RecoveryFileBytes(record), read, &error)) << error;
    Lute recovered;
    ASSERT_EQ(RestoreRecovered(recovered.frame, read).Result, LoadResult::Loaded);
    EXPECT_EQ(recovered.frame.Document.Scale, lute.frame.Document.Scale);

    // Back to the temperament: not a byte of the scale is left.
    file.frame.Document.Scale.reset();
    EXPECT_EQ(written(file.frame), meantone);
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaleCarried,
                         ::testing::Values(Carried{"Dowland", [] { return RuleScale(fr_dowland); }},
                                           Carried{"Galilei", [] { return RuleScale(fr_galilei); }},
                                           Carried{"JustScalaFile", justScale}),
                         [](const auto& info) { return std::string(info.param.Name); });

struct Damage {
    const char* Name;
    std::function<void(std::string& block)> Apply;
    const char* Reason;
};

class DamagedBlock : public ::testing::TestWithParam<Damage> {};

// A damaged block refuses the whole document with the reason, and the frame keeps what it held.
TEST_P(DamagedBlock, RefusesTheDocument) {
    Lute lute;
    const std::string body = written(lute.frame);
    lute.frame.Document.Scale = justScale();
    std::string block = written(lute.frame).substr(body.size());
    GetParam().Apply(block);

    Lute target;
    const std::string before = written(target.frame);
    const LoadOutcome outcome = readInto(target.frame, body + block);
    EXPECT_EQ(outcome.Result, LoadResult::Failed);
    EXPECT_EQ(outcome.Reason.rfind("fret scale: ", 0), 0u) << outcome.Reason;
    EXPECT_NE(outcome.Reason.find(GetParam().Reason), std::string::npos) << outcome.Reason;
    EXPECT_EQ(written(target.frame), before);
}

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedBlock,
    ::testing::Values(Damage{"PitchByte", [](std::string& b) { b[b.size() - 20] ^= 0x40; },
                             "damaged"},
                      Damage{"CheckByte", [](std::string& b) { b.back() ^= 1; }, "damaged"},
                      Damage{"LaterVersion", [](std::string& b) { b[7] = 2; }, "later version"},
                      Damage{"Cut", [](std::string& b) { b.resize(b.size() - 3); }, "fret scale"},
                      Damage{"HugeLength", [](std::string& b) { b[11] = 0x7f; }, "length"},
                      Damage{"NotesRewritten",
                             [](std::string& b) {
                                 // A scale whose pitches fall, with a check made to match: still
                                 // refused.
                                 ByteWriter out;
                                 FretScale wrong = justScale();
                                 std::swap(wrong.Cents[0], wrong.Cents[1]);
                                 WriteScaleBlock(wrong, out);
                                 b = out.take();
                             },
                             "rising"}),
    [](const auto& info) { return std::string(info.param.Name); });

// A hand-written just scale frets a lute at 1/6 comma through its fret page, survives saving
// and reading, and choosing 1/6 comma again gives the file back byte for byte.
TEST(ScaleBlock, AJustScaleComesAndGoesWithoutATrace) {
    Lute lute;
    const std::string sixthComma = written(lute.frame);
    TFretFrorm page(lute.settings);
    page.Bind(lute.frame.Document);
    page.SetScale(justScale());
    const std::string fretted = written(lute.frame);
    ASSERT_NE(fretted, sixthComma);

    Lute reopened;
    ASSERT_EQ(readInto(reopened.frame, fretted).Result, LoadResult::Loaded);
    TFretFrorm again(reopened.settings);
    again.Bind(reopened.frame.Document);
    const double length = reopened.frame.Document.StringLength;
    EXPECT_EQ(again.ScaleName, "Just intonation");
    EXPECT_EQ(again.Rows[3].Main.Distance, FormatFixed(length * (1 - 4.0 / 5)) + " cm.");
    EXPECT_EQ(again.Rows[7].Main.Distance, FormatFixed(length * (1 - 5.0 / 8)) + " cm.");
    again.SelectorChanged(5);
    EXPECT_EQ(written(reopened.frame), sixthComma);
}

TEST(ScaleBlock, BytesThatAreNoBlockAreLeftAlone) {
    // What follows a body in a settings file written without an index: the next document.
    const std::string next("\x05\x00\x00\x00lute2", 9);
    ByteReader in(next);
    const ScaleBlockRead read = ReadScaleBlock(in);
    EXPECT_FALSE(read.Scale);
    EXPECT_TRUE(read.Fault.empty());
    EXPECT_EQ(in.position(), 0u);
}

} // namespace
} // namespace vorn

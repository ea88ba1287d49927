// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "files/DocumentFile.h"
#include "files/DocumentStore.h"
#include "files/FileFrame.h"
#include "files/RecoveryFile.h"
#include "io/ByteWriter.h"
#include "support/CaseName.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;

const RecoveryRecord Sample{"/home/ana/Lauten/lute.vrd",
                            "lute.vrd",
                            "lute.vrd",
                            std::string("\x02\0body\ncrc32 00000000\n", 22),
                            "rows",
                            1};

TEST(RecoveryFile, WritesTheLayoutItsReaderChecks) {
    const RecoveryRecord record{"/a/b.vrd", "b.vrd", "b.vrd", "xyz", "fig", 2};
    using namespace std::string_literals;
    const std::string expected = "Vorn recovery copy\n"
                                 "version 2\n"
                                 "path 8\n/a/b.vrd\n"
                                 "name 5\nb.vrd\n"
                                 "shown 5\nb.vrd\n"
                                 "body 3\nxyz\n"
                                 "figures 7\n\x02\0\0\0fig\n"
                                 "crc32 "s;
    const std::string bytes = RecoveryFileBytes(record);
    ASSERT_EQ(bytes.substr(0, expected.size()), expected);
    // The check sum of everything before it, as zlib and every other CRC-32 computes it.
    EXPECT_EQ(bytes.substr(expected.size()), "291851b2\n");
}

// A copy an older run left has no figures: its document is read from the body alone.
TEST(RecoveryFile, ReadsACopyOfTheVersionBefore) {
    const std::string older = "Vorn recovery copy\n"
                              "version 1\n"
                              "path 8\n/a/b.vrd\n"
                              "name 5\nb.vrd\n"
                              "shown 5\nb.vrd\n"
                              "body 3\nxyz\n"
                              "crc32 1825c046\n";
    RecoveryRecord record;
    std::string error;
    ASSERT_TRUE(ReadRecoveryBytes(older, record, &error)) << error;
    EXPECT_EQ(record, (RecoveryRecord{"/a/b.vrd", "b.vrd", "b.vrd", "xyz", "", -1}));
}

TEST(RecoveryFile, GivesBackWhatItHolds) {
    const RecoveryRecord records[] = {
        Sample,
        // A new document has no file; names may hold anything a file system allows.
        {"", "", "Alto Lute in G_10crs_sl64", "b", "", -1},
        {"/tmp/zwei\nZeilen ü.vrd", "zwei\nZeilen ü.vrd", "zwei\nZeilen ü.vrd", "body 9\n",
         "figures 3\n", 18},
    };
    for (const RecoveryRecord& record : records) {
        RecoveryRecord read;
        std::string error;
        ASSERT_TRUE(ReadRecoveryBytes(RecoveryFileBytes(record), read, &error)) << error;
        EXPECT_EQ(read, record);
    }
}

struct Damage {
    const char* name;
    std::string (*apply)(std::string);
};

std::string replaced(std::string bytes, const std::string& from, const std::string& to) {
    return bytes.replace(bytes.find(from), from.size(), to);
}

// The last line summed again, so that only the change itself is wrong: CRC-32 bit by bit.
std::string resummed(std::string bytes) {
    bytes.erase(bytes.rfind("crc32 "));
    uint32_t crc = 0xFFFFFFFFu;
    for (const char ch : bytes) {
        crc ^= static_cast<unsigned char>(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    char sum[9];
    std::snprintf(sum, sizeof sum, "%08x", crc ^ 0xFFFFFFFFu);
    return bytes + "crc32 " + sum + "\n";
}

const std::string SampleFigures("figures 8\n\x01\0\0\0rows\n", 19);

// What no single cut or flipped bit makes; RefusesEveryCutAndEveryFlippedBit does the rest.
const Damage Damages[] = {
    {"newer version", [](std::string b) { return replaced(b, "version 2", "version 3"); }},
    {"version 2 without figures",
     [](std::string b) { return resummed(replaced(b, SampleFigures, "")); }},
    {"version 1 with figures",
     [](std::string b) { return resummed(replaced(b, "version 2", "version 1")); }},
    {"current course past the last",
     [](std::string b) {
         return resummed(
             replaced(b, SampleFigures, std::string("figures 8\n\x13\0\0\0rows\n", 19)));
     }},
    {"current course below none",
     [](std::string b) {
         return resummed(
             replaced(b, SampleFigures, std::string("figures 4\n\xfe\xff\xff\xff\n", 15)));
     }},
    {"figures too short for the course",
     [](std::string b) {
         return resummed(replaced(b, SampleFigures, std::string("figures 2\n\x01\0\n", 13)));
     }},
    {"leading zero", [](std::string b) { return replaced(b, "name 8", "name 08"); }},
    {"signed length", [](std::string b) { return replaced(b, "name 8", "name +8"); }},
    {"huge length",
     [](std::string b) { return replaced(b, "name 8", "name 99999999999999999999"); }},
    {"bytes after", [](std::string b) { return b + "x"; }},
    {"twice", [](std::string b) { return b + b; }},
};

// The damages below change only what they name: the same copy with figures of its own,
// summed again, reads.
TEST(RecoveryFile, ReadsAnyFiguresWithinTheirBounds) {
    const std::string bytes = RecoveryFileBytes(Sample);
    ASSERT_EQ(resummed(bytes), bytes);
    const std::string none =
        resummed(replaced(bytes, SampleFigures, std::string("figures 4\n\xff\xff\xff\xff\n", 15)));
    RecoveryRecord record;
    std::string error;
    ASSERT_TRUE(ReadRecoveryBytes(none, record, &error)) << error;
    EXPECT_EQ(record.Figures, "");
    EXPECT_EQ(record.Current, -1);
    EXPECT_EQ(record.Body, Sample.Body);
}

class RecoveryDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(RecoveryDamage, IsRefusedAndLeavesTheRecordAlone) {
    const std::string bytes = GetParam().apply(RecoveryFileBytes(Sample));
    ASSERT_NE(bytes, RecoveryFileBytes(Sample));
    const RecoveryRecord before{"kept", "kept", "kept", "kept", "kept", 3};
    RecoveryRecord record = before;
    std::string error;
    EXPECT_FALSE(ReadRecoveryBytes(bytes, record, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(record, before);
}

INSTANTIATE_TEST_SUITE_P(All, RecoveryDamage, ::testing::ValuesIn(Damages),
                         [](const auto& info) { return vorn::testing::CaseName(info.param.name); });

// A write cut short and a flipped bit anywhere: the copy is refused, never read in part.
TEST(RecoveryFile, RefusesEveryCutAndEveryFlippedBit) {
    const std::string bytes = RecoveryFileBytes(Sample);
    RecoveryRecord record;
    for (size_t size = 0; size < bytes.size(); ++size)
        EXPECT_FALSE(ReadRecoveryBytes(bytes.substr(0, size), record, nullptr)) << size;
    for (size_t at = 0; at < bytes.size(); ++at) {
        for (int bit = 0; bit < 8; ++bit) {
            std::string flipped = bytes;
            flipped[at] = static_cast<char>(flipped[at] ^ (1 << bit));
            EXPECT_FALSE(ReadRecoveryBytes(flipped, record, nullptr)) << at << " bit " << bit;
        }
    }
    EXPECT_EQ(record, RecoveryRecord{});
}

class RecoveredDocument : public ::testing::Test {
protected:
    TGlobalData settings;
    fs::path folder;

    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("vorn-recovered-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::unique_ptr<TFileFrame> Lute() {
        auto frame = std::make_unique<TFileFrame>(settings);
        frame->NewFromDefaults();
        frame->ViewStrings();
        return frame;
    }
    static std::string Body(TFileFrame& frame) {
        ByteWriter out;
        WriteDocument(frame, out);
        return out.take();
    }
};

TEST_F(RecoveredDocument, ComesBackUnderItsFileAsAChange) {
    auto edited = Lute();
    const std::string path = (folder / "lute.vrd").string();
    ASSERT_TRUE(SaveDocumentFile(*edited, path));
    edited->Chart.Course(0).EditTension(0, 3.9);
    edited->Document.InstrumentName = "Laute";
    const RecoveryRecord record = RecordOf(*edited, Body(*edited));
    EXPECT_EQ(record.FilePath, path);
    EXPECT_EQ(record.FileName, "lute.vrd");

    TFileFrame back(settings);
    ASSERT_EQ(RestoreRecovered(back, record).Result, LoadResult::Loaded);
    EXPECT_EQ(Body(back), record.Body);
    EXPECT_EQ(back.FilePath, path);
    EXPECT_EQ(back.DisplayName(), "lute.vrd");
    EXPECT_TRUE(back.Changed());

    // Saved meanwhile, by another copy of the program: nothing left to recover.
    ASSERT_TRUE(SaveDocumentFile(*edited, path));
    TFileFrame same(settings);
    ASSERT_EQ(RestoreRecovered(same, record).Result, LoadResult::Loaded);
    EXPECT_FALSE(same.Changed());
}

TEST_F(RecoveredDocument, ANewDocumentKeepsItsMadeUpName) {
    auto fresh = Lute();
    const RecoveryRecord record = RecordOf(*fresh, Body(*fresh));
    EXPECT_EQ(record.FilePath, "");
    TFileFrame back(settings);
    ASSERT_EQ(RestoreRecovered(back, record).Result, LoadResult::Loaded);
    EXPECT_EQ(back.FileName, "");
    EXPECT_EQ(back.DisplayName(), fresh->DisplayName());
    // Never saved: changed even though it is what a new document holds.
    EXPECT_TRUE(back.Changed());
}

TEST_F(RecoveredDocument, ABodyThatIsNoDocumentLeavesTheFrameAlone) {
    auto frame = Lute();
    const std::string before = Body(*frame);
    RecoveryRecord record = RecordOf(*frame, before);
    record.Body = before.substr(0, before.size() / 2);
    record.FilePath = "/elsewhere.vrd";
    EXPECT_EQ(RestoreRecovered(*frame, record).Result, LoadResult::Failed);
    EXPECT_EQ(Body(*frame), before);
    EXPECT_EQ(frame->FilePath, "");
}

} // namespace
} // namespace vorn

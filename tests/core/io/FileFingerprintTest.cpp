// SPDX-License-Identifier: GPL-3.0-or-later

// What a file was when last read or written, against what it is now.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "io/FileFingerprint.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;

void put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class Fingerprint : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("vorn-fingerprint-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        file = folder / "lute.vrd";
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder, file;
};

TEST_F(Fingerprint, ChangedMeansOtherBytesOrSizeOrPresence) {
    const std::string original = "a lute of ten courses";
    const struct {
        const char* name;
        std::function<void(const fs::path&)> after;
        bool changed;
    } cases[] = {
        {"untouched", [](const fs::path&) {}, false},
        {"same bytes, new time",
         [&](const fs::path& p) {
             put(p, original);
             fs::last_write_time(p, fs::last_write_time(p) + std::chrono::hours(1));
         },
         false},
        {"one byte other, same size", [](const fs::path& p) { put(p, "a lute of ten coursez"); },
         true},
        {"one byte other, same size and time",
         [](const fs::path& p) {
             const auto time = fs::last_write_time(p);
             put(p, "a lute of ten coursez");
             fs::last_write_time(p, time);
         },
         true},
        {"longer", [](const fs::path& p) { put(p, "a lute of ten courses, and more"); }, true},
        {"emptied", [](const fs::path& p) { put(p, ""); }, true},
        {"gone", [](const fs::path& p) { fs::remove(p); }, true},
        {"a folder in its place",
         [](const fs::path& p) {
             fs::remove(p);
             fs::create_directory(p);
         },
         true},
        {"a pipe in its place",
         [](const fs::path& p) {
             fs::remove(p);
             ASSERT_EQ(mkfifo(p.c_str(), 0600), 0);
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(file);
        put(file, original);
        const FileFingerprint before = TakeFingerprint(file.string());
        ASSERT_EQ(before.Taken, FileFingerprint::fp_read);
        EXPECT_EQ(before.Size, original.size());
        c.after(file);
        EXPECT_EQ(FileChanged(before, TakeFingerprint(file.string())), c.changed);
    }
}

TEST_F(Fingerprint, NoFileOrNothingKnown) {
    const FileFingerprint none = TakeFingerprint(file.string());
    EXPECT_EQ(none.Taken, FileFingerprint::fp_missing);
    EXPECT_FALSE(FileChanged(none, TakeFingerprint(file.string())));
    put(file, "new");
    const FileFingerprint appeared = TakeFingerprint(file.string());
    EXPECT_TRUE(FileChanged(none, appeared));
    // Never taken: there is nothing to hold against the file.
    EXPECT_FALSE(FileChanged(FileFingerprint{}, appeared));
}

TEST_F(Fingerprint, OfDataMatchesTheFileItWasWrittenTo) {
    put(file, "the bytes as written");
    const FileFingerprint written = FingerprintOfData(file.string(), "the bytes as written");
    const FileFingerprint read = TakeFingerprint(file.string());
    EXPECT_EQ(written, read);
    EXPECT_NE(HashBytes("the bytes as written"), HashBytes("the bytes as writtem"));
}

} // namespace
} // namespace vorn

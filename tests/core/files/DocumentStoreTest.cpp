// SPDX-License-Identifier: GPL-3.0-or-later

// A save asks first when another program changed the document's file since it was read or
// written here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>

#include "document/GlobalData.h"
#include "files/DocumentStore.h"
#include "files/FileFrame.h"
#include "io/AtomicFile.h"
#include "io/FileFingerprint.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;

TEST(DocumentStore, ChangedOnDiskSinceReadOrWritten) {
    const fs::path folder = fs::temp_directory_path() / ("vorn-store-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string path = (folder / "lute.vrd").string();
    TGlobalData settings;
    const struct {
        const char* name;
        std::function<void(TFileFrame& frame)> after;
        bool changed;
    } cases[] = {
        {"untouched", [](TFileFrame&) {}, false},
        {"the same bytes again",
         [&](TFileFrame&) {
             std::string same;
             ASSERT_TRUE(ReadWholeFile(path, same));
             ASSERT_TRUE(WriteFileAtomically(path, same));
         },
         false},
        {"another document written there",
         [&](TFileFrame&) {
             TFileFrame other(settings);
             other.ApplyTemplate(13);
             other.ViewStrings();
             ASSERT_TRUE(SaveDocumentFile(other, path));
         },
         true},
        {"written, then read again here",
         [&](TFileFrame& frame) {
             TFileFrame other(settings);
             other.ApplyTemplate(13);
             other.ViewStrings();
             ASSERT_TRUE(SaveDocumentFile(other, path));
             ASSERT_EQ(OpenDocumentFile(frame, path).Result, LoadResult::Loaded);
         },
         false},
        {"gone: a save loses nothing", [&](TFileFrame&) { fs::remove(path); }, false},
        {"never read here",
         [&](TFileFrame& frame) {
             std::ofstream(path, std::ios::binary) << "something else";
             frame.Disk = {};
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TFileFrame frame(settings);
        frame.NewFromDefaults();
        frame.ViewStrings();
        ASSERT_TRUE(SaveDocumentFile(frame, path));
        EXPECT_FALSE(ChangedOnDiskSince(frame));
        c.after(frame);
        EXPECT_EQ(ChangedOnDiskSince(frame), c.changed);
    }
    fs::remove_all(folder);
}

} // namespace
} // namespace vorn

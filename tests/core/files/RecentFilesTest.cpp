// SPDX-License-Identifier: GPL-3.0-or-later

// The recent files list: order, repeats, its length, and what a broken vorn.ini gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/PreferencesFile.h"
#include "files/RecentFiles.h"
#include "support/CaseName.h"

namespace vorn {
namespace {

using List = std::vector<std::string>;

struct RecentCase {
    const char* what;
    List before;
    std::string used;
    List after;
};

class WithRecentFileTest : public ::testing::TestWithParam<RecentCase> {};

TEST_P(WithRecentFileTest, PutsTheFileFirst) {
    EXPECT_EQ(WithRecentFile(GetParam().before, GetParam().used), GetParam().after);
}

List numbered(int count) {
    List files;
    for (int i = 0; i < count; ++i)
        files.push_back("/f" + std::to_string(i) + ".vrd");
    return files;
}

List tenAfter(const std::string& first) {
    List files = numbered(9);
    files.insert(files.begin(), first);
    return files;
}

INSTANTIATE_TEST_SUITE_P(
    RecentFiles, WithRecentFileTest,
    ::testing::Values(RecentCase{"first", {}, "/a.vrd", {"/a.vrd"}},
                      RecentCase{"newest first", {"/a.vrd"}, "/b.vrd", {"/b.vrd", "/a.vrd"}},
                      RecentCase{"used again moves up",
                                 {"/a.vrd", "/b.vrd", "/c.vrd"},
                                 "/c.vrd",
                                 {"/c.vrd", "/a.vrd", "/b.vrd"}},
                      RecentCase{"the oldest of ten goes", numbered(10), "/new.vrd",
                                 tenAfter("/new.vrd")},
                      RecentCase{"no name changes nothing", {"/a.vrd"}, "", {"/a.vrd"}}),
    [](const auto& info) { return vorn::testing::CaseName(info.param.what); });

TEST(RecentFiles, ALongOrRepeatedListIsTidied) {
    List read = numbered(14);
    read.insert(read.begin() + 1, "");
    read.insert(read.begin() + 2, "/f0.vrd");
    EXPECT_EQ(TidyRecentFiles(read), numbered(10));
}

TEST(RecentFiles, MissingFilesAreLeftOut) {
    const List kept = WithoutMissing({"/a.vrd", "/gone.vrd", "/b.vrd"},
                                     [](const std::string& path) { return path != "/gone.vrd"; });
    EXPECT_EQ(kept, (List{"/a.vrd", "/b.vrd"}));
}

// As Qt's INI writer lays the list out; a path with a comma and spaces is quoted.
TEST(RecentFiles, ReadFromWhatQtWrites) {
    const Preferences p = ReadPreferences("[RecentFiles]\n"
                                          "1\\Path=/home/l/theorbo.vrd\n"
                                          "2\\Path=\"/home/l/Lute, 7 courses.vrd\"\n"
                                          "3\\Path=/home/l/theorbo.vrd\n"
                                          "4\\Other=x\n"
                                          "size=4\n");
    EXPECT_EQ(p.RecentFiles, (List{"/home/l/theorbo.vrd", "/home/l/Lute, 7 courses.vrd"}));
    EXPECT_TRUE(ReadPreferences("[RecentFiles]\nsize=99999999\n").RecentFiles.empty());
}

} // namespace
} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

// The recent files list: order, repeats, its length, and what a broken vorn.ini gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
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

TEST(RecentFiles, TimesAreReadWithTheirPaths) {
    const Preferences p = ReadPreferences("[RecentFiles]\n"
                                          "1\\Path=/a.vrd\n1\\Used=1700000000123\n"
                                          "2\\Path=/b.vrd\n2\\Used=soon\n"
                                          "3\\Path=/a.vrd\n3\\Used=5\n"
                                          "4\\Path=/c.vrd\n4\\Used=-4\n"
                                          "5\\Path=/d.vrd\n5\\Used=42\n"
                                          "size=5\n");
    EXPECT_EQ(RecentOf(p),
              (std::vector<RecentFile>{
                  {"/a.vrd", 1700000000123}, {"/b.vrd", 0}, {"/c.vrd", 0}, {"/d.vrd", 42}}));
}

// Two copies of the program write one list: each brings what it used, the file the rest.
struct MergeCase {
    const char* what;
    std::vector<RecentFile> own, base, onDisk, removed, merged;
};

class MergeRecentFilesTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(MergeRecentFilesTest, KeepsEveryCopysUses) {
    const MergeCase& c = GetParam();
    EXPECT_EQ(MergeRecentFiles(c.own, c.base, c.onDisk, c.removed), c.merged);
}

std::vector<RecentFile> timed(int count, std::int64_t newest) {
    std::vector<RecentFile> files;
    for (int i = 0; i < count; ++i)
        files.push_back({"/t" + std::to_string(i) + ".vrd", newest - i});
    return files;
}

std::vector<RecentFile> withFirst(RecentFile first, std::vector<RecentFile> rest) {
    rest.insert(rest.begin(), std::move(first));
    rest.resize(std::min<std::size_t>(rest.size(), MaxRecentFiles));
    return rest;
}

INSTANTIATE_TEST_SUITE_P(
    RecentFiles, MergeRecentFilesTest,
    ::testing::Values(MergeCase{"both copies opened a file",
                                {{"/a.vrd", 20}, {"/old.vrd", 5}},
                                {{"/old.vrd", 5}},
                                {{"/b.vrd", 30}, {"/old.vrd", 5}},
                                {},
                                {{"/b.vrd", 30}, {"/a.vrd", 20}, {"/old.vrd", 5}}},
                      MergeCase{"a file used in both keeps its later time",
                                {{"/a.vrd", 40}, {"/b.vrd", 10}},
                                {{"/b.vrd", 10}},
                                {{"/b.vrd", 50}, {"/a.vrd", 30}},
                                {},
                                {{"/b.vrd", 50}, {"/a.vrd", 40}}},
                      MergeCase{"entries without a time are the oldest, in their order",
                                {{"/a.vrd", 7}},
                                {},
                                {{"/x.vrd", 0}, {"/y.vrd", 0}},
                                {},
                                {{"/a.vrd", 7}, {"/x.vrd", 0}, {"/y.vrd", 0}}},
                      MergeCase{"a file removed here stays out",
                                {{"/a.vrd", 20}},
                                {{"/a.vrd", 20}},
                                {{"/a.vrd", 20}, {"/gone.vrd", 10}},
                                {{"/gone.vrd", 25}},
                                {{"/a.vrd", 20}}},
                      MergeCase{"a file removed here and used elsewhere later comes back",
                                {},
                                {},
                                {{"/gone.vrd", 30}},
                                {{"/gone.vrd", 25}},
                                {{"/gone.vrd", 30}}},
                      MergeCase{"a file removed elsewhere goes unless used here since",
                                {{"/a.vrd", 20}, {"/b.vrd", 10}},
                                {{"/a.vrd", 20}, {"/b.vrd", 10}},
                                {{"/b.vrd", 10}},
                                {},
                                {{"/b.vrd", 10}}},
                      MergeCase{"equal times put this copy's use first",
                                {{"/a.vrd", 20}},
                                {},
                                {{"/b.vrd", 20}},
                                {},
                                {{"/a.vrd", 20}, {"/b.vrd", 20}}},
                      MergeCase{"the newest ten are kept",
                                {{"/new.vrd", 100}},
                                {},
                                timed(10, 50),
                                {},
                                withFirst({"/new.vrd", 100}, timed(10, 50))},
                      MergeCase{"an old use here loses its place to newer ones",
                                {{"/old.vrd", 1}},
                                {},
                                timed(10, 50),
                                {},
                                timed(10, 50)}),
    [](const auto& info) { return vorn::testing::CaseName(info.param.what); });

} // namespace
} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

// The preferences file beside the settings file, as the calculator reads it.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/PreferencesFile.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"

namespace vorn {
namespace {

// Laid out as Qt's INI writer lays it out, with a name it quotes and escapes.
const char* const QtWritten = "[BreakingIndex]\n"
                              "1\\HzM=255.5\n"
                              "1\\Material=Gut\n"
                              "2\\HzM=0\n"
                              "2\\Material=Copper\n"
                              "3\\HzM=240\n"
                              "3\\Material=\"Fluoro, \\x201cthin\\x201d\"\n"
                              "4\\HzM=230\n"
                              "4\\Material=Brass7/3\n"
                              "size=4\n"
                              "\n"
                              "[View]\n"
                              "TensionProfile=true\n";

TEST(PreferencesFile, ReadsWhatQtWrites) {
    const Preferences p = ReadPreferences(QtWritten);
    EXPECT_TRUE(p.TensionProfileVisible);
    ASSERT_EQ(p.BreakingIndexes.size(), 4u);
    EXPECT_EQ(p.BreakingIndexes[0].Material, "Gut");
    EXPECT_EQ(p.BreakingIndexes[0].Index, 255.5);
    EXPECT_EQ(p.BreakingIndexes[1].Index, 0);
    EXPECT_EQ(p.BreakingIndexes[2].Material, "Fluoro, \u201cthin\u201d");
    EXPECT_EQ(p.BreakingIndexes[3].Material, "Brass7/3");
}

// A comma, a semicolon, quotes and a blank at the end make Qt quote and escape the value; a
// letter outside ASCII it writes as UTF-8.
TEST(PreferencesFile, LastFolderAsQtWritesIt) {
    const Preferences p =
        ReadPreferences("[Files]\nLastFolder=\"/home/j\xc3\xb6rg/Lauten, alt;1 \\\"x\\\" =y \"\n");
    EXPECT_EQ(p.LastFolder, "/home/j\xc3\xb6rg/Lauten, alt;1 \"x\" =y ");
    TGlobalData settings;
    ApplyPreferences(p, settings);
    EXPECT_EQ(PreferencesOf(settings).LastFolder, p.LastFolder);
}

// The order list's choice goes from the file into the settings and back; anything but "true"
// leaves gut, the choice of a file that never had the key.
TEST(PreferencesFile, OrderListChoice) {
    const std::pair<const char*, bool> cases[] = {{"[OrderList]\nByAlternative=true\n", true},
                                                  {"[OrderList]\nByAlternative=false\n", false},
                                                  {"[OrderList]\nByAlternative=yes\n", false},
                                                  {"[View]\nByAlternative=true\n", false},
                                                  {"", false}};
    for (const auto& [text, chosen] : cases) {
        SCOPED_TRACE(text);
        const Preferences p = ReadPreferences(text);
        EXPECT_EQ(p.OrderByAlternative, chosen);
        TGlobalData settings;
        ApplyPreferences(p, settings);
        EXPECT_EQ(settings.OrderByAlternative, chosen ? 1 : 0);
        EXPECT_EQ(PreferencesOf(settings).OrderByAlternative, chosen);
    }
}

TEST(PreferencesFile, NumbersKeepTheirPointUnderAGermanLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    const Preferences p = ReadPreferences(QtWritten);
    std::setlocale(LC_NUMERIC, saved.c_str());
    ASSERT_FALSE(p.BreakingIndexes.empty());
    EXPECT_EQ(p.BreakingIndexes[0].Index, 255.5);
}

TEST(PreferencesFile, BrokenOrMissingTextGivesTheDefaults) {
    const std::string cases[] = {
        "",
        std::string("\0\xff\xfe[[[=\n==\n", 11),
        "[BreakingIndex]\nsize=99999999\n",                       // a count no list has
        "[BreakingIndex]\nsize=2\n1\\HzM=2,5\n1\\Material=Gut\n", // a comma, and no item 2
        "[View]\nTensionProfile=yes\n",
        "[BreakingIndex\n1\\HzM=200\n1\\Material=Gut\nsize=1\n", // unclosed group
    };
    for (const std::string& text : cases) {
        const Preferences p = ReadPreferences(text);
        EXPECT_FALSE(p.TensionProfileVisible) << text;
        EXPECT_TRUE(p.BreakingIndexes.empty()) << text;
    }
    const Preferences missing = LoadPreferencesFile("/nonexistent/folder/vorn.ini");
    EXPECT_TRUE(missing.BreakingIndexes.empty());
    EXPECT_FALSE(missing.TensionProfileVisible);
}

// A count no list holds neither loops nor allocates that far; the items there are still read.
TEST(PreferencesFile, CountsAreCapped) {
    const struct {
        const char* name;
        const char* text;
        size_t indexes;
        size_t recent;
    } cases[] = {
        {"both arrays",
         "[BreakingIndex]\n1\\HzM=250\n1\\Material=Gut\nsize=2000000000\n\n"
         "[RecentFiles]\n1\\Path=/a.vrd\n2\\Path=/b.vrd\nsize=2000000000\n",
         1, 2},
        {"beyond any int", "[RecentFiles]\n1\\Path=/a.vrd\nsize=99999999999999999999999999\n", 0,
         1},
        {"negative", "[RecentFiles]\n1\\Path=/a.vrd\nsize=-2000000000\n", 0, 0},
        {"not a number", "[RecentFiles]\n1\\Path=/a.vrd\nsize=nan\n", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Preferences p = ReadPreferences(c.text);
        EXPECT_EQ(p.BreakingIndexes.size(), c.indexes);
        EXPECT_EQ(p.RecentFiles.size(), c.recent);
    }
}

TEST(PreferencesFile, AppliedByNameWithinTheRange) {
    TGlobalData settings;
    settings.Materials.AddMaterial("Gut", 1.3f, 200, 20, 1.5f, 0.1f); // a second "Gut"
    Preferences p;
    p.TensionProfileVisible = true;
    p.BreakingIndexes = {{"Gut", 250},  {"Nylon", -5},     {"Copper", 20000},
                         {"Wool", 100}, {"Carbon PVF", 0}, {"Gut", 245}};
    ApplyPreferences(p, settings);
    EXPECT_EQ(settings.TensionProfileVisible, 1);
    EXPECT_EQ(settings.Materials[0].BreakingIndex, 245); // the last listing wins
    EXPECT_EQ(settings.Materials[8].BreakingIndex, 245);
    EXPECT_EQ(settings.Materials[1].BreakingIndex, 260); // out of range: kept
    EXPECT_EQ(settings.Materials[4].BreakingIndex, 105);
    EXPECT_EQ(settings.Materials[3].BreakingIndex, 0);

    // What the settings hold goes back unchanged.
    TGlobalData again;
    ApplyPreferences(PreferencesOf(settings), again);
    for (int i = 0; i < again.Materials.Count(); ++i)
        EXPECT_EQ(again.Materials[i].BreakingIndex, settings.Materials[i].BreakingIndex) << i;
    EXPECT_EQ(again.TensionProfileVisible, 1);
}

TEST(PreferencesFile, SettingsFileMaterialsStartWithTheirDefaultIndex) {
    // The fixed layout has no index: what it reads back takes the defaults by kind and name.
    TGlobalData settings;
    settings.Materials.AddMaterial("Silk", 1.3f, 200, 20, 1.5f, 0.1f, 150);
    settings.Materials[4].BreakingIndex = 1;
    ByteWriter out;
    settings.SaveSettings(out);
    const std::string bytes = out.take();
    TGlobalData read;
    ByteReader in(bytes);
    ASSERT_TRUE(read.LoadSettings(in));
    EXPECT_EQ(read.Materials[4].BreakingIndex, 105); // Copper
    EXPECT_EQ(read.Materials[8].BreakingIndex, 260); // Silk, as gut
}

TEST(PreferencesFile, PathBesideTheSettingsFile) {
    EXPECT_EQ(PreferencesPathFor("/home/a/.config/Vorn/vorn.vrn"), "/home/a/.config/Vorn/vorn.ini");
    EXPECT_EQ(PreferencesPathFor("/opt/v.1/vorn"), "/opt/v.1/vorn.ini");
    EXPECT_EQ(PreferencesPathFor("settings"), "settings.ini");
}

TEST(PreferencesFile, ReadFromAFile) {
    const auto path = std::filesystem::temp_directory_path() / "vorn_prefs_test.ini";
    std::ofstream(path) << QtWritten;
    const Preferences p = LoadPreferencesFile(path.string());
    std::filesystem::remove(path);
    EXPECT_EQ(p.BreakingIndexes.size(), 4u);
}

// Two copies of the program write one vorn.ini: what one changed since it last read or wrote
// the file is its own, the rest is as the other wrote it.
TEST(PreferencesFile, MergeKeepsWhatAnotherCopyChanged) {
    Preferences base;
    base.TensionProfileVisible = false;
    base.LastFolder = "/home/a";
    base.BreakingIndexes = {{"Gut", 250}, {"Nylon", 260}, {"Wool", 100}};
    struct Case {
        const char* name;
        bool profile;
        std::string folder;
        std::vector<MaterialBreakingIndex> own; // this copy's, from base
        std::vector<MaterialBreakingIndex> disk;
        bool diskProfile;
        std::string diskFolder;
        bool wantProfile;
        std::string wantFolder;
        std::vector<MaterialBreakingIndex> want;
    };
    const std::vector<MaterialBreakingIndex> same = base.BreakingIndexes;
    const Case cases[] = {
        {"nothing changed here: the disk's",
         false,
         "/home/a",
         same,
         {{"Gut", 240}, {"Nylon", 260}, {"Wool", 100}},
         true,
         "/home/b",
         true,
         "/home/b",
         {{"Gut", 240}, {"Nylon", 260}, {"Wool", 100}}},
        {"changed here: this copy's",
         true,
         "/home/c",
         {{"Gut", 250}, {"Nylon", 270}, {"Wool", 100}},
         {{"Gut", 240}, {"Nylon", 265}, {"Wool", 100}},
         false,
         "/home/b",
         true,
         "/home/c",
         {{"Gut", 240}, {"Nylon", 270}, {"Wool", 100}}},
        {"a material only the disk lists stays, its last listing",
         false,
         "/home/a",
         {{"Gut", 250}},
         {{"Silk", 150}, {"Gut", 250}, {"Silk", 155}},
         false,
         "/home/a",
         false,
         "/home/a",
         {{"Gut", 250}, {"Silk", 155}}},
        {"a material the disk lacks is this copy's",
         false,
         "/home/a",
         same,
         {{"Gut", 230}},
         false,
         "",
         false,
         "",
         {{"Gut", 230}, {"Nylon", 260}, {"Wool", 100}}},
        {"a new material here is this copy's",
         false,
         "/home/a",
         {{"Horse", 90}},
         {{"Horse", 80}},
         false,
         "/home/a",
         false,
         "/home/a",
         {{"Horse", 90}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Preferences own = base, disk;
        own.TensionProfileVisible = c.profile;
        own.LastFolder = c.folder;
        own.BreakingIndexes = c.own;
        disk.TensionProfileVisible = c.diskProfile;
        disk.LastFolder = c.diskFolder;
        disk.BreakingIndexes = c.disk;
        const Preferences merged = MergePreferences(own, base, disk, {});
        EXPECT_EQ(merged.TensionProfileVisible, c.wantProfile);
        EXPECT_EQ(merged.LastFolder, c.wantFolder);
        EXPECT_EQ(merged.BreakingIndexes, c.want);
    }
}

// The times go out with the paths and come back: the merge needs what a write left.
TEST(PreferencesFile, MergeGivesTheRecentFilesTheirTimes) {
    Preferences own, base, disk;
    SetRecent(own, {{"/a.vrd", 20}, {"/old.vrd", 0}});
    SetRecent(base, {{"/old.vrd", 0}});
    SetRecent(disk, {{"/b.vrd", 30}, {"/old.vrd", 0}});
    const Preferences merged = MergePreferences(own, base, disk, {{"/b.vrd", 10}});
    EXPECT_EQ(merged.RecentFiles, (std::vector<std::string>{"/b.vrd", "/a.vrd", "/old.vrd"}));
    EXPECT_EQ(merged.RecentUsed, (std::vector<std::int64_t>{30, 20, 0}));
}

} // namespace
} // namespace vorn

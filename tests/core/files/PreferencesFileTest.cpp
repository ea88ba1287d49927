// SPDX-License-Identifier: GPL-3.0-or-later

// The preferences file beside the settings file, as the calculator reads it.
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <string>

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

} // namespace
} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The second settings file, beside the first ("vorn.vrn" -> "vorn.ini"): the preferences the
// first one's fixed layout cannot hold. The program writes it through Qt's INI format; this
// reader lets the calculator use it without Qt. Older versions never look at it, and losing it
// costs only these preferences.

#include <string>
#include <vector>

#include "document/GlobalData.h"
#include "files/RecentFiles.h"

namespace vorn {

// Groups and keys, for the program's writer and this reader alike.
inline constexpr const char* PrefViewGroup = "View";
inline constexpr const char* PrefProfileKey = "TensionProfile"; // true or false
inline constexpr const char* PrefBreakingArray = "BreakingIndex";
inline constexpr const char* PrefMaterialKey = "Material"; // a material's name
inline constexpr const char* PrefIndexKey = "HzM";         // its breaking index, '.' decimals
inline constexpr const char* PrefRecentArray = "RecentFiles";
inline constexpr const char* PrefPathKey = "Path"; // a whole path, as the file system names it
inline constexpr const char* PrefUsedKey = "Used"; // RecentFile::Used; older versions ignore it
inline constexpr const char* PrefFilesGroup = "Files";
inline constexpr const char* PrefLastFolderKey = "LastFolder"; // a whole path, as above
inline constexpr const char* PrefOrderGroup = "OrderList";
inline constexpr const char* PrefByAlternativeKey = "ByAlternative"; // true or false

struct MaterialBreakingIndex {
    std::string Material;
    double Index = 0; // Hz·m
    bool operator==(const MaterialBreakingIndex&) const = default;
};

struct Preferences {
    bool TensionProfileVisible = false;
    std::vector<MaterialBreakingIndex> BreakingIndexes; // in list order
    std::vector<std::string> RecentFiles;               // newest first, see TidyRecentFiles
    std::vector<std::int64_t> RecentUsed; // when each of RecentFiles was used, as RecentFile
    std::string LastFolder;          // where a file dialog was last answered; empty when none was
    bool OrderByAlternative = false; // the order list buys alternatives, not gut
    bool operator==(const Preferences&) const = default;
};

// The recent files with their times, and the other way.
std::vector<RecentFile> RecentOf(const Preferences& preferences);
void SetRecent(Preferences& preferences, const std::vector<RecentFile>& recent);

// The settings file's path with ".ini" for its extension (appended when it has none).
std::string PreferencesPathFor(const std::string& settingsPath);

// The preferences in an INI text as Qt writes it. Lines, keys and figures it cannot read
// are passed over: they keep their defaults.
Preferences ReadPreferences(const std::string& text);
// The same from a file; a missing or unreadable file gives the defaults.
Preferences LoadPreferencesFile(const std::string& path);

// What the settings hold of the preferences (the last folder too); the recent files are not
// theirs.
Preferences PreferencesOf(const TGlobalData& settings);
// Gives every material of a listed name its index (the last listing of a name wins); names not
// in the material list and indexes outside BreakingIndexRange are left out.
void ApplyPreferences(const Preferences& preferences, TGlobalData& settings);

// What a copy of the program writes into the file other copies write too: a preference it
// changed since `base` (its own as it last wrote or read them) is its own, any other is
// taken from `onDisk`; a breaking index counts per material, and materials only the disk
// lists stay. The recent files go by MergeRecentFiles, base's list being the one last read.
Preferences MergePreferences(const Preferences& own, const Preferences& base,
                             const Preferences& onDisk, const std::vector<RecentFile>& removed);

} // namespace vorn

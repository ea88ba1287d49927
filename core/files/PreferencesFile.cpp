// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/PreferencesFile.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <string_view>

#include "files/RecentFiles.h"
#include "io/AtomicFile.h"
#include "io/NumberText.h"

namespace vorn {

namespace {

// The most items read of one array, whatever count the file gives.
constexpr int MaxPreferenceItems = 10000;

std::string_view trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

void appendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool hexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Qt's INI keys: "%XX" and "%UXXXX" stand for characters outside letters, digits, '-', '_'
// and '.'; '\' separates the parts of an array key.
std::string unescapedKey(std::string_view key) {
    std::string out;
    for (std::size_t i = 0; i < key.size(); ++i) {
        const bool wide = key[i] == '%' && i + 1 < key.size() && key[i + 1] == 'U';
        const std::size_t start = i + (wide ? 2 : 1), digits = wide ? 4 : 2;
        unsigned code = 0;
        if (key[i] == '%' && start + digits <= key.size() &&
            std::from_chars(key.data() + start, key.data() + start + digits, code, 16).ptr ==
                key.data() + start + digits) {
            appendUtf8(out, code);
            i = start + digits - 1;
        } else {
            out += key[i] == '\\' ? '/' : key[i];
        }
    }
    return out;
}

// Qt's INI values: parts in double quotes keep their blanks and commas, '\' escapes the next
// character (\n, \t, \r, \0, \xHHHH), and a leading "@@" stands for a plain '@'.
std::string unescapedValue(std::string_view value) {
    std::string out;
    bool quoted = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '\\' && i + 1 < value.size()) {
            const char e = value[++i];
            if (e == 'x') {
                std::size_t end = i + 1;
                while (end < value.size() && end < i + 5 && hexDigit(value[end]))
                    ++end;
                unsigned code = 0;
                std::from_chars(value.data() + i + 1, value.data() + end, code, 16);
                appendUtf8(out, code);
                i = end - 1;
            } else {
                out += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e == '0' ? '\0' : e;
            }
        } else if (c == ';' && !quoted) {
            break;
        } else {
            out += c;
        }
    }
    if (out.rfind("@@", 0) == 0)
        out.erase(0, 1);
    return out;
}

// "Group/key" -> value.
std::map<std::string, std::string> iniEntries(const std::string& text) {
    std::map<std::string, std::string> entries;
    std::string group;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view line = trimmed(std::string_view(text).substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            group = close == std::string_view::npos ? std::string()
                                                    : unescapedKey(line.substr(1, close - 1));
            if (group == "General")
                group.clear();
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        const std::string key = unescapedKey(trimmed(line.substr(0, eq)));
        entries[group.empty() ? key : group + "/" + key] =
            unescapedValue(trimmed(line.substr(eq + 1)));
    }
    return entries;
}

// The values of one key through a Qt array ("Array/1/key" ...), empty where an item lacks it.
std::vector<std::string> arrayItems(const std::map<std::string, std::string>& entries,
                                    const std::string& array, const char* key) {
    std::vector<std::string> items;
    const auto count = entries.find(array + "/size");
    double size = 0;
    if (count == entries.end() || !ParseNumber(count->second, size))
        return items;
    // A count past what any list holds is a broken file, not a reason to loop or allocate
    // for long: the items up to the cap are still read.
    const int listed = size > 0 ? static_cast<int>(std::min(size, double(MaxPreferenceItems))) : 0;
    for (int i = 1; i <= listed; ++i) {
        const auto it = entries.find(array + "/" + std::to_string(i) + "/" + key);
        items.push_back(it == entries.end() ? std::string() : it->second);
    }
    return items;
}

} // namespace

std::string PreferencesPathFor(const std::string& settingsPath) {
    const std::size_t slash = settingsPath.find_last_of('/');
    const std::size_t dot = settingsPath.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return settingsPath + ".ini";
    return settingsPath.substr(0, dot) + ".ini";
}

Preferences ReadPreferences(const std::string& text) {
    Preferences prefs;
    const auto entries = iniEntries(text);
    const auto value = [&](const std::string& key) -> const std::string* {
        const auto it = entries.find(key);
        return it == entries.end() ? nullptr : &it->second;
    };
    const std::string view = PrefViewGroup;
    if (const std::string* shown = value(view + "/" + PrefProfileKey))
        prefs.TensionProfileVisible = *shown == "true";
    if (const std::string* folder = value(std::string(PrefFilesGroup) + "/" + PrefLastFolderKey))
        prefs.LastFolder = *folder;
    if (const std::string* order = value(std::string(PrefOrderGroup) + "/" + PrefByAlternativeKey))
        prefs.OrderByAlternative = *order == "true";

    const std::vector<std::string> paths = arrayItems(entries, PrefRecentArray, PrefPathKey);
    const std::vector<std::string> times = arrayItems(entries, PrefRecentArray, PrefUsedKey);
    std::vector<RecentFile> recent;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        RecentFile entry{paths[i], 0};
        const std::string& time = times[i];
        const auto read = std::from_chars(time.data(), time.data() + time.size(), entry.Used);
        if (read.ec != std::errc() || read.ptr != time.data() + time.size() || entry.Used < 0)
            entry.Used = 0;
        recent.push_back(std::move(entry));
    }
    // The first listing of a path is the one kept, as TidyRecentFiles keeps it.
    std::vector<RecentFile> tidy;
    for (const std::string& path : TidyRecentFiles(paths))
        tidy.push_back(*std::find_if(recent.begin(), recent.end(),
                                     [&](const RecentFile& r) { return r.Path == path; }));
    SetRecent(prefs, tidy);
    const std::vector<std::string> names = arrayItems(entries, PrefBreakingArray, PrefMaterialKey);
    const std::vector<std::string> figures = arrayItems(entries, PrefBreakingArray, PrefIndexKey);
    for (std::size_t i = 0; i < names.size(); ++i) {
        double index = 0;
        if (!names[i].empty() && ParseNumber(figures[i], index))
            prefs.BreakingIndexes.push_back({names[i], index});
    }
    return prefs;
}

Preferences LoadPreferencesFile(const std::string& path) {
    std::string text;
    if (!ReadWholeFile(path, text))
        return {};
    return ReadPreferences(text);
}

std::vector<RecentFile> RecentOf(const Preferences& preferences) {
    std::vector<RecentFile> recent;
    for (std::size_t i = 0; i < preferences.RecentFiles.size(); ++i)
        recent.push_back({preferences.RecentFiles[i],
                          i < preferences.RecentUsed.size() ? preferences.RecentUsed[i] : 0});
    return recent;
}

void SetRecent(Preferences& preferences, const std::vector<RecentFile>& recent) {
    preferences.RecentFiles.clear();
    preferences.RecentUsed.clear();
    for (const RecentFile& entry : recent) {
        preferences.RecentFiles.push_back(entry.Path);
        preferences.RecentUsed.push_back(entry.Used);
    }
}

Preferences PreferencesOf(const TGlobalData& settings) {
    Preferences prefs;
    prefs.TensionProfileVisible = settings.TensionProfileVisible != 0;
    prefs.LastFolder = settings.LastFolder;
    prefs.OrderByAlternative = settings.OrderByAlternative != 0;
    for (const TStringMaterialItem& m : settings.Materials.Items())
        prefs.BreakingIndexes.push_back({m.Name, m.BreakingIndex});
    return prefs;
}

void ApplyPreferences(const Preferences& preferences, TGlobalData& settings) {
    settings.TensionProfileVisible = preferences.TensionProfileVisible ? 1 : 0;
    settings.LastFolder = preferences.LastFolder;
    settings.OrderByAlternative = preferences.OrderByAlternative ? 1 : 0;
    for (const MaterialBreakingIndex& entry : preferences.BreakingIndexes) {
        if (!BreakingIndexRange.Holds(entry.Index))
            continue;
        for (int i = 0; i < settings.Materials.Count(); ++i)
            if (settings.Materials[i].Name == entry.Material)
                settings.Materials[i].BreakingIndex = static_cast<float>(entry.Index);
    }
}

namespace {

// The index a list gives a material: its last listing, as ApplyPreferences reads it.
const MaterialBreakingIndex* indexOf(const std::vector<MaterialBreakingIndex>& list,
                                     const std::string& material) {
    const auto it = std::find_if(list.rbegin(), list.rend(), [&](const MaterialBreakingIndex& m) {
        return m.Material == material;
    });
    return it == list.rend() ? nullptr : &*it;
}

} // namespace

Preferences MergePreferences(const Preferences& own, const Preferences& base,
                             const Preferences& onDisk, const std::vector<RecentFile>& removed) {
    Preferences merged;
    merged.TensionProfileVisible = own.TensionProfileVisible != base.TensionProfileVisible
                                       ? own.TensionProfileVisible
                                       : onDisk.TensionProfileVisible;
    merged.LastFolder = own.LastFolder != base.LastFolder ? own.LastFolder : onDisk.LastFolder;
    merged.OrderByAlternative = own.OrderByAlternative != base.OrderByAlternative
                                    ? own.OrderByAlternative
                                    : onDisk.OrderByAlternative;
    for (const MaterialBreakingIndex& entry : own.BreakingIndexes) {
        const MaterialBreakingIndex* before = indexOf(base.BreakingIndexes, entry.Material);
        const MaterialBreakingIndex* disk = indexOf(onDisk.BreakingIndexes, entry.Material);
        const bool changed = !before || before->Index != entry.Index;
        merged.BreakingIndexes.push_back(changed || !disk ? entry : *disk);
    }
    for (const MaterialBreakingIndex& entry : onDisk.BreakingIndexes)
        if (!indexOf(merged.BreakingIndexes, entry.Material) &&
            indexOf(onDisk.BreakingIndexes, entry.Material) == &entry)
            merged.BreakingIndexes.push_back(entry);
    SetRecent(merged, MergeRecentFiles(RecentOf(own), RecentOf(base), RecentOf(onDisk), removed));
    return merged;
}

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/RecentFiles.h"

#include <algorithm>

namespace vorn {

std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& path) {
    if (path.empty())
        return list;
    list.erase(std::remove(list.begin(), list.end(), path), list.end());
    list.insert(list.begin(), path);
    if (list.size() > static_cast<std::size_t>(MaxRecentFiles))
        list.resize(MaxRecentFiles);
    return list;
}

std::vector<std::string> TidyRecentFiles(const std::vector<std::string>& list) {
    std::vector<std::string> tidy;
    for (const std::string& path : list) {
        if (path.empty() || std::find(tidy.begin(), tidy.end(), path) != tidy.end())
            continue;
        tidy.push_back(path);
        if (tidy.size() == static_cast<std::size_t>(MaxRecentFiles))
            break;
    }
    return tidy;
}

std::vector<std::string> WithoutMissing(const std::vector<std::string>& list,
                                        const std::function<bool(const std::string&)>& exists) {
    std::vector<std::string> kept;
    std::copy_if(list.begin(), list.end(), std::back_inserter(kept), exists);
    return kept;
}

std::vector<RecentFile> MergeRecentFiles(const std::vector<RecentFile>& own,
                                         const std::vector<RecentFile>& base,
                                         const std::vector<RecentFile>& onDisk,
                                         const std::vector<RecentFile>& removed) {
    std::vector<RecentFile> all;
    for (const RecentFile& entry : own)
        if (std::find(base.begin(), base.end(), entry) == base.end())
            all.push_back(entry);
    for (const RecentFile& entry : onDisk) {
        const auto gone = std::find_if(removed.begin(), removed.end(), [&](const RecentFile& r) {
            return r.Path == entry.Path && r.Used >= entry.Used;
        });
        if (gone == removed.end())
            all.push_back(entry);
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const RecentFile& a, const RecentFile& b) { return a.Used > b.Used; });
    std::vector<RecentFile> merged;
    for (const RecentFile& entry : all) {
        if (entry.Path.empty() ||
            std::any_of(merged.begin(), merged.end(),
                        [&](const RecentFile& m) { return m.Path == entry.Path; }))
            continue;
        merged.push_back(entry);
        if (merged.size() == static_cast<std::size_t>(MaxRecentFiles))
            break;
    }
    return merged;
}

} // namespace vorn

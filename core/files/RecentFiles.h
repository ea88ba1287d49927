// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The files last opened or saved, newest first, as "Open Recent" lists them. Paths are whole
// and compared as written: the program gives them absolute.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vorn {

inline constexpr int MaxRecentFiles = 10;

// path first, any earlier listing of it gone, at most MaxRecentFiles kept; an empty path
// leaves the list as it was.
std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& path);

// A list read from a file: empty paths and repeats dropped, at most MaxRecentFiles kept.
std::vector<std::string> TidyRecentFiles(const std::vector<std::string>& list);

// The paths for which exists says yes, in their order.
std::vector<std::string> WithoutMissing(const std::vector<std::string>& list,
                                        const std::function<bool(const std::string&)>& exists);

// A listed file and when it was last opened or saved.
struct RecentFile {
    std::string Path;
    std::int64_t Used = 0; // ms since 1970-01-01 UTC; 0: not known (older files), the oldest
    bool operator==(const RecentFile&) const = default;
};

// The list several copies of the program write into one file: this copy's uses since `base`
// (the list as it last wrote or read it) against what is on disk now. An entry this copy did
// not use since follows the disk, which may have dropped it; one it removed (Used: when)
// comes back only when used elsewhere after the removal. Newest first, each path once, at
// most MaxRecentFiles; on equal times this copy's entries come first.
std::vector<RecentFile> MergeRecentFiles(const std::vector<RecentFile>& own,
                                         const std::vector<RecentFile>& base,
                                         const std::vector<RecentFile>& onDisk,
                                         const std::vector<RecentFile>& removed);

} // namespace vorn

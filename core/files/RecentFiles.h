// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The files last opened or saved, newest first, as "Open Recent" lists them. Paths are whole
// and compared as written: the program gives them absolute.

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

} // namespace vorn

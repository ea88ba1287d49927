// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Whole-file reads and writes. Reads take regular files only (after following symbolic
// links) and at most MaxReadBytes. Writes go to a temporary file in the target's folder that
// is then renamed over the target, so an interrupted write never destroys the previous file;
// a symbolic link is written through to the file it names, and anything but a regular file
// as target is refused.

#include <cstddef>
#include <string>

namespace vorn {

// Documents are a few kilobytes and a settings file with many reopened documents stays well
// under a megabyte: anything larger than this is not one of ours.
constexpr size_t MaxReadBytes = 16u * 1024 * 1024;

// false with a reason in *error for a missing, unreadable, special or oversized file; data
// is left as it was. Never throws, never blocks on a pipe.
bool ReadWholeFile(const std::string& path, std::string& data, std::string* error = nullptr);
bool WriteFileAtomically(const std::string& path, const std::string& data,
                         std::string* error = nullptr);
// Whether a write of path could start: the target is a regular file or missing, and its folder
// takes a new file. Leaves nothing behind; *error says why not.
bool CanWriteFile(const std::string& path, std::string* error = nullptr);

// Temporary files of this program's writes start with this prefix; those left by a process
// that no longer runs are removed at the next write into their folder.
inline constexpr const char* TemporaryPrefix = ".vorn-";

} // namespace vorn

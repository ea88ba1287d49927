// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Whole-file reads and writes. Reads take regular files only (after following symbolic
// links) and at most MaxReadBytes. Writes go to a temporary file in the target's folder that
// is then renamed over the target, so an interrupted write never destroys the previous file;
// a symbolic link is written through to the file it names, and anything but a regular file
// as target is refused. So is a file whose own mode keeps this process from writing it
// (see FileMode.h), unless the caller was told by the user to replace it.

#include <cstddef>
#include <string>

#include "io/ProcessIdentity.h"

namespace vorn {

// Documents are a few kilobytes and a settings file with many reopened documents stays well
// under a megabyte: anything larger than this is not one of ours.
constexpr size_t MaxReadBytes = 16u * 1024 * 1024;

// false with a reason in *error for a missing, unreadable, special or oversized file; data
// is left as it was. Never throws, never blocks on a pipe.
bool ReadWholeFile(const std::string& path, std::string& data, std::string* error = nullptr);
enum ReadOnlyTarget {
    ro_refuse, // a read-only target is refused, the reason saying so
    ro_replace // the user said to replace it; it stays read-only
};
bool WriteFileAtomically(const std::string& path, const std::string& data,
                         std::string* error = nullptr, ReadOnlyTarget readOnly = ro_refuse);
// Whether a write of path could start: the target is a regular file or missing, and its folder
// takes a new file. Leaves nothing behind; *error says why not.
bool CanWriteFile(const std::string& path, std::string* error = nullptr);

// Temporary files of this program's writes start with this prefix; those left by a process
// that no longer runs are removed at the next write into their folder.
inline constexpr const char* TemporaryPrefix = ".vorn-";
// What the temporary names of writer's files start with: the prefix, its process id and start
// time and a tag of its machine and boot, so that another process can tell whether it runs.
std::string TemporaryStem(const ProcessIdentity& writer);
// Whether the temporary file `name` (without folder) was left by a process that ended, asked
// by self. Only a writer of this machine and boot that is surely gone counts: a name of
// another machine (a shared folder), of an older form or of no known form is left alone.
bool LeftByEndedWriter(const std::string& name, const ProcessIdentity& self);

} // namespace vorn

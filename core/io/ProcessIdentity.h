// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Which process made something, kept so that another process can tell later whether it still
// runs. A process id alone cannot: ids are handed out again, so the process's start time
// (Linux's /proc/<pid>/stat, in clock ticks after boot), the boot and the machine go with it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorn {

struct ProcessIdentity {
    std::string Host; // the machine's name: the processes of another machine cannot be seen
    std::string Boot; // the kernel's boot id; empty where the system has none
    long Pid = 0;
    uint64_t Start = 0; // clock ticks after boot; 0 where the system does not tell
};

// The calling process.
ProcessIdentity ThisProcess();

// What /proc/<pid>/stat says of a process that exists: its state letter and start time.
struct ProcessStat {
    char State = '?'; // 'Z' for a process that ended and waits for its parent
    uint64_t Start = 0;
};
// From the text of /proc/<pid>/stat; empty for text that is not one. The command name in it
// may hold blanks and parentheses.
std::optional<ProcessStat> ParseProcessStat(std::string_view text);
// Empty when the process does not exist or the system does not tell.
std::optional<ProcessStat> ReadProcessStat(long pid);

enum ProcessState {
    ps_running, // the very process: same id, same start, same boot
    ps_ended,   // it ended, or its id now belongs to another process
    ps_unknown  // it ran on another machine, which cannot be asked
};
// Whether the process `owner` describes still runs, asked by `self`.
ProcessState StateOf(const ProcessIdentity& owner, const ProcessIdentity& self);

} // namespace vorn

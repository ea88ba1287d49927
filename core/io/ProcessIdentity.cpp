// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/ProcessIdentity.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace vorn {

namespace {

// A small file of /proc, read whole. Not through the atomic writer's reader: that one asks
// this module who left its temporary files.
bool readSmallFile(const std::string& path, std::string& text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char buffer[4096];
    std::string bytes;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            if (n < 0)
                return false;
            break;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    text = std::move(bytes);
    return true;
}

std::string_view firstLine(std::string_view text) {
    return text.substr(0, text.find('\n'));
}

std::string bootId() {
    std::string text;
    if (!readSmallFile("/proc/sys/kernel/random/boot_id", text))
        return {};
    return std::string(firstLine(text));
}

std::string hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

} // namespace

ProcessIdentity ThisProcess() {
    ProcessIdentity self;
    self.Host = hostName();
    self.Boot = bootId();
    self.Pid = static_cast<long>(::getpid());
    if (const std::optional<ProcessStat> stat = ReadProcessStat(self.Pid))
        self.Start = stat->Start;
    return self;
}

std::optional<ProcessStat> ParseProcessStat(std::string_view text) {
    // "pid (name) state ppid ...": the name may hold anything, so the fields are counted from
    // the last ')'. The state is field 3, the start time field 22.
    const size_t close = text.rfind(')');
    if (close == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = text.substr(close + 1);
    ProcessStat stat;
    for (int field = 3; field <= 22; ++field) {
        const size_t begin = rest.find_first_not_of(' ');
        if (begin == std::string_view::npos)
            return std::nullopt;
        rest.remove_prefix(begin);
        const std::string_view value = rest.substr(0, rest.find_first_of(" \n"));
        rest.remove_prefix(value.size());
        if (field == 3) {
            if (value.size() != 1)
                return std::nullopt;
            stat.State = value.front();
        } else if (field == 22) {
            const auto r = std::from_chars(value.data(), value.data() + value.size(), stat.Start);
            if (r.ec != std::errc() || r.ptr != value.data() + value.size())
                return std::nullopt;
        }
    }
    return stat;
}

std::optional<ProcessStat> ReadProcessStat(long pid) {
    std::string text;
    if (pid <= 0 || !readSmallFile("/proc/" + std::to_string(pid) + "/stat", text))
        return std::nullopt;
    return ParseProcessStat(text);
}

ProcessState StateOf(const ProcessIdentity& owner, const ProcessIdentity& self) {
    if (owner.Host != self.Host || owner.Pid <= 0)
        return ps_unknown;
    // The machine started again since: nothing of before runs.
    if (!owner.Boot.empty() && !self.Boot.empty() && owner.Boot != self.Boot)
        return ps_ended;
    if (::kill(static_cast<pid_t>(owner.Pid), 0) != 0 && errno == ESRCH)
        return ps_ended;
    const std::optional<ProcessStat> stat = ReadProcessStat(owner.Pid);
    if (!stat)
        return ps_running; // it exists, and nothing tells more
    if (stat->State == 'Z' || (owner.Start != 0 && stat->Start != owner.Start))
        return ps_ended;
    return ps_running;
}

} // namespace vorn

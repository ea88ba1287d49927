// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/AtomicFile.h"

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "io/FileMode.h"

namespace vorn {

namespace {

void setError(std::string* error, const std::string& what, int err) {
    if (error)
        *error = what + ": " + std::strerror(err);
}

bool writeAll(int fd, const std::string& data) {
    const char* p = data.data();
    size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced is not an error.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool ReadWholeFile(const std::string& path, std::string& data, std::string* error) {
    // Non-blocking, so that a pipe without a writer cannot hang the program; plain reads, so
    // that a failing device reports an error instead of throwing.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        setError(error, path, errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int err = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        if (error)
            *error = path + (err == EISDIR ? ": " + std::string(std::strerror(err))
                                           : std::string(": not a regular file"));
        return false;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            setError(error, path, err);
            return false;
        }
        if (n == 0)
            break;
        if (bytes.size() + static_cast<size_t>(n) > MaxReadBytes) {
            ::close(fd);
            if (error)
                *error = path + ": larger than " + std::to_string(MaxReadBytes / (1024 * 1024)) +
                         " MB, not a file of this program";
            return false;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    data = std::move(bytes);
    return true;
}

namespace {

// The file a path finally names: symbolic links followed (relative ones from their own
// folder), up to a sane depth. The result may not exist yet.
bool resolveTarget(const std::string& path, std::string& target, std::string* error) {
    namespace fs = std::filesystem;
    fs::path current(path);
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            target = current.string();
            return true;
        }
        std::error_code ec;
        const fs::path link = fs::read_symlink(current, ec);
        if (ec) {
            setError(error, path, ec.value());
            return false;
        }
        current = link.is_absolute() ? link : current.parent_path() / link;
    }
    setError(error, path, ELOOP);
    return false;
}

// Removes temporaries that processes which no longer run left in folder.
void removeStaleTemporaries(const std::string& folder, const ProcessIdentity& self) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (LeftByEndedWriter(it->path().filename().string(), self))
            fs::remove(it->path(), ec);
    }
}

// FNV-1a of the machine's name and boot id, in 16 hex digits: short enough for a file name.
std::string machineTag(const ProcessIdentity& writer) {
    uint64_t hash = 14695981039346656037ull;
    for (const char c : writer.Host + '\n' + writer.Boot) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    static const char digits[] = "0123456789abcdef";
    std::string tag(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4)
        tag[static_cast<size_t>(i)] = digits[hash & 0xf];
    return tag;
}

bool readNumber(std::string_view& text, uint64_t& value) {
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (r.ec != std::errc() || r.ptr == text.data() || r.ptr == text.data() + text.size() ||
        *r.ptr != '-')
        return false;
    text.remove_prefix(static_cast<size_t>(r.ptr - text.data()) + 1);
    return true;
}

// The process's file creation mask as Linux shows it in /proc/self/status; -1 when it cannot
// be read there.
int maskFromProc() {
    std::string status;
    if (!ReadWholeFile("/proc/self/status", status))
        return -1;
    const size_t at = status.find("\nUmask:");
    if (at == std::string::npos)
        return -1;
    const char* digits = status.c_str() + at + 7;
    char* end = nullptr;
    const long mask = std::strtol(digits, &end, 8);
    return end != digits && mask >= 0 && mask <= 0777 ? static_cast<int>(mask) : -1;
}

// The mask at start. Without /proc it can only be read by setting it, which changes it for
// every thread for a moment: that is done once, before main, while no other thread can be
// creating a file.
const mode_t startMask = [] {
    if (const int known = maskFromProc(); known >= 0)
        return static_cast<mode_t>(known);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}();

mode_t creationMode() {
    const int mask = maskFromProc();
    return 0666 & ~(mask >= 0 ? static_cast<mode_t>(mask) : startMask);
}

// A write under way: the target it replaces (links followed) and the open temporary beside it.
struct Temporary {
    int fd = -1;
    std::string target, name, folder;
    bool targetExists = false;
    mode_t targetMode = 0;
};

// fd -1 with *error set when no temporary can be made for path.
Temporary openTemporary(const std::string& path, ReadOnlyTarget readOnly, std::string* error) {
    namespace fs = std::filesystem;
    Temporary t;
    if (!resolveTarget(path, t.target, error))
        return t;
    struct stat old {};
    t.targetExists = ::stat(t.target.c_str(), &old) == 0;
    t.targetMode = old.st_mode;
    if (t.targetExists && !S_ISREG(old.st_mode)) {
        if (error)
            *error = path + (S_ISDIR(old.st_mode) ? ": is a folder" : ": not a regular file");
        return t;
    }
    if (t.targetExists && readOnly == ro_refuse && ReadOnlyFile(t.target)) {
        if (error)
            *error = path + ": the file is read-only";
        return t;
    }
    const fs::path parent = fs::path(t.target).parent_path();
    t.folder = parent.empty() ? std::string(".") : parent.string();
    const ProcessIdentity self = ThisProcess();
    removeStaleTemporaries(t.folder, self);

    // The temporary must sit in the target's folder, since rename is only atomic within one
    // file system; its name is short, so that any name the folder takes can be written.
    const std::string pattern =
        (parent.empty() ? std::string() : t.folder + "/") + TemporaryStem(self) + "XXXXXX.tmp";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    t.fd = ::mkstemps(name.data(), 4);
    if (t.fd < 0) {
        setError(error, "cannot create a file in " + t.folder, errno);
        return t;
    }
    t.name = name.data();
    return t;
}

} // namespace

std::string TemporaryStem(const ProcessIdentity& writer) {
    return TemporaryPrefix + std::to_string(writer.Pid) + "-" + std::to_string(writer.Start) + "-" +
           machineTag(writer) + "-";
}

bool LeftByEndedWriter(const std::string& name, const ProcessIdentity& self) {
    // ".vorn-<pid>-<start>-<tag>-XXXXXX.tmp"
    std::string_view rest(name);
    const std::string_view prefix(TemporaryPrefix);
    if (rest.substr(0, prefix.size()) != prefix || rest.size() < 4 ||
        rest.substr(rest.size() - 4) != ".tmp")
        return false;
    rest.remove_prefix(prefix.size());
    uint64_t pid = 0, start = 0;
    if (!readNumber(rest, pid) || !readNumber(rest, start) || pid == 0 || pid > 0x7fffffff)
        return false;
    const std::string tag = machineTag(self);
    if (rest.substr(0, tag.size()) != tag || rest.size() <= tag.size() || rest[tag.size()] != '-')
        return false;
    // The tag holds this machine's name and boot: the writer ran here, since the last start.
    ProcessIdentity writer = self;
    writer.Pid = static_cast<long>(pid);
    writer.Start = start;
    return StateOf(writer, self) == ps_ended;
}

bool CanWriteFile(const std::string& path, std::string* error) {
    const Temporary t = openTemporary(path, ro_refuse, error);
    if (t.fd < 0)
        return false;
    ::close(t.fd);
    ::unlink(t.name.c_str());
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& data, std::string* error,
                         ReadOnlyTarget readOnly) {
    const Temporary t = openTemporary(path, readOnly, error);
    if (t.fd < 0)
        return false;
    const int fd = t.fd;
    const std::string& temp = t.name;
    // A replaced file keeps its permissions; a new one gets the usual ones.
    ::fchmod(fd, t.targetExists ? (t.targetMode & 07777) : creationMode());

    int err = 0;
    std::string what;
    if (!writeAll(fd, data)) {
        err = errno;
        what = "cannot write " + temp;
    } else if (::fsync(fd) != 0) {
        err = errno;
        what = "cannot flush " + temp;
    }
    if (::close(fd) != 0 && err == 0) {
        err = errno;
        what = "cannot close " + temp;
    }
    if (err == 0 && ::rename(temp.c_str(), t.target.c_str()) != 0) {
        err = errno;
        what = "cannot replace " + path;
    }
    if (err != 0) {
        ::unlink(temp.c_str());
        setError(error, what, err);
        return false;
    }
    syncFolder(t.folder);
    return true;
}

} // namespace vorn

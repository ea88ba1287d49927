// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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
void removeStaleTemporaries(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string prefix = TemporaryPrefix;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(prefix, 0) != 0 || name.size() < 5 || name.substr(name.size() - 4) != ".tmp")
            continue;
        const size_t dash = name.find('-', prefix.size());
        if (dash == std::string::npos)
            continue;
        const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            fs::remove(it->path(), ec);
    }
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
Temporary openTemporary(const std::string& path, std::string* error) {
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
    const fs::path parent = fs::path(t.target).parent_path();
    t.folder = parent.empty() ? std::string(".") : parent.string();
    removeStaleTemporaries(t.folder);

    // The temporary must sit in the target's folder, since rename is only atomic within one
    // file system; its name is short, so that any name the folder takes can be written.
    const std::string pattern = (parent.empty() ? std::string() : t.folder + "/") +
                                TemporaryPrefix + std::to_string(::getpid()) + "-XXXXXX.tmp";
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

bool CanWriteFile(const std::string& path, std::string* error) {
    const Temporary t = openTemporary(path, error);
    if (t.fd < 0)
        return false;
    ::close(t.fd);
    ::unlink(t.name.c_str());
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& data, std::string* error) {
    const Temporary t = openTemporary(path, error);
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

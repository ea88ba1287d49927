// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What may stand where a writer is told to write: the table every writer is tested against.
// Each kind is made inside a temporary folder of the test, never under /dev: as root, a
// writer that replaced a file there would replace a device node.

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace vorn::testing {

enum class FileKind {
    missing,
    regular,
    link_to_regular,
    fifo,
    char_device,
    socket,
    link_to_fifo,
    directory,
};

struct FileKindCase {
    const char* Name;
    FileKind Kind;
    bool Writable; // a writer writes here (through a link to the file it names)
};

inline constexpr FileKindCase FileKindCases[] = {
    {"missing", FileKind::missing, true},
    {"regular", FileKind::regular, true},
    {"link_to_regular", FileKind::link_to_regular, true},
    {"fifo", FileKind::fifo, false},
    {"char_device", FileKind::char_device, false},
    {"socket", FileKind::socket, false},
    {"link_to_fifo", FileKind::link_to_fifo, false},
    {"directory", FileKind::directory, false},
};

// The bytes a regular file holds before the write.
inline constexpr const char* OldContents = "old contents";

// Makes the kind at `path`, a name in a folder of the test's own; links point to a file
// beside it named `path` + ".target". False when it could not be made.
inline bool MakeFileKind(FileKind kind, const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    const auto writeOld = [](const fs::path& p) {
        FILE* f = std::fopen(p.c_str(), "wb");
        return f && std::fputs(OldContents, f) >= 0 && std::fclose(f) == 0;
    };
    const fs::path target = path.string() + ".target";
    std::error_code ec;
    switch (kind) {
    case FileKind::missing:
        return !fs::exists(fs::symlink_status(path));
    case FileKind::regular:
        return writeOld(path);
    case FileKind::link_to_regular:
        fs::create_symlink(target.filename(), path, ec);
        return !ec && writeOld(target);
    case FileKind::fifo:
        return ::mkfifo(path.c_str(), 0600) == 0;
    case FileKind::char_device:
        return ::mknod(path.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    case FileKind::socket: {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (path.string().size() >= sizeof address.sun_path)
            return false;
        path.string().copy(address.sun_path, sizeof address.sun_path - 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool bound =
            fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        if (fd >= 0)
            ::close(fd);
        return bound;
    }
    case FileKind::link_to_fifo:
        fs::create_symlink(target.filename(), path, ec);
        return !ec && ::mkfifo(target.c_str(), 0600) == 0;
    case FileKind::directory:
        return fs::create_directory(path, ec);
    }
    return false;
}

// What stands at `path` afterwards, links followed: "regular: <bytes>", "fifo", "char 1,3",
// "socket", "directory" or "missing"; a link says "link to " first.
inline std::string DescribeFile(const std::filesystem::path& path) {
    struct stat own {
    }, named{};
    if (::lstat(path.c_str(), &own) != 0)
        return "missing";
    std::string text = S_ISLNK(own.st_mode) ? "link to " : "";
    if (::stat(path.c_str(), &named) != 0)
        return text + "nothing";
    if (S_ISREG(named.st_mode)) {
        std::string bytes;
        if (FILE* f = std::fopen(path.c_str(), "rb")) {
            char buffer[4096];
            for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
                bytes.append(buffer, n);
            std::fclose(f);
        }
        return text + "regular: " + bytes;
    }
    if (S_ISFIFO(named.st_mode))
        return text + "fifo";
    if (S_ISCHR(named.st_mode))
        return text + "char " + std::to_string(major(named.st_rdev)) + "," +
               std::to_string(minor(named.st_rdev));
    if (S_ISSOCK(named.st_mode))
        return text + "socket";
    if (S_ISDIR(named.st_mode))
        return text + "directory";
    return text + "other";
}

} // namespace vorn::testing

#include "io/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        setError(error, path, EISDIR);
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        setError(error, path, errno ? errno : ENOENT);
        return false;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        setError(error, path, EIO);
        return false;
    }
    data = std::move(bytes);
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& data, std::string* error) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    const fs::path parent = target.parent_path();
    const std::string folder = parent.empty() ? std::string(".") : parent.string();

    // The temporary must sit in the target's folder: rename is only atomic within one file
    // system.
    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            setError(error, "cannot create a file in " + folder, errno);
            return false;
        }
    }
    if (fd < 0) {
        setError(error, "cannot create a file in " + folder, EEXIST);
        return false;
    }

    // A replaced file keeps its permissions.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);

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
    if (err == 0 && ::rename(temp.c_str(), path.c_str()) != 0) {
        err = errno;
        what = "cannot replace " + path;
    }
    if (err != 0) {
        ::unlink(temp.c_str());
        setError(error, what, err);
        return false;
    }
    syncFolder(folder);
    return true;
}

} // namespace vorn

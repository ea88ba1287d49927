// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/FileMode.h"

#include <algorithm>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn {

Credentials CurrentCredentials() {
    Credentials who;
    who.User = ::geteuid();
    who.Group = ::getegid();
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        who.Groups.resize(static_cast<size_t>(count));
        const int got = ::getgroups(count, who.Groups.data());
        who.Groups.resize(got > 0 ? static_cast<size_t>(got) : 0);
    }
    return who;
}

bool WritableByMode(mode_t mode, uid_t owner, gid_t group, const Credentials& who) {
    if (who.User == 0)
        return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    if (who.User == owner)
        return (mode & S_IWUSR) != 0;
    if (who.Group == group ||
        std::find(who.Groups.begin(), who.Groups.end(), group) != who.Groups.end())
        return (mode & S_IWGRP) != 0;
    return (mode & S_IWOTH) != 0;
}

bool ReadOnlyFile(const std::string& path, std::string* reason) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if (WritableByMode(info.st_mode, info.st_uid, info.st_gid, CurrentCredentials()))
        return false;
    if (reason)
        *reason = path + " is read-only";
    return true;
}

} // namespace vorn

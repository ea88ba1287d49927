// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Whether a file's own permission bits let a process write it. The folder decides whether a
// file can be replaced, but a file marked read-only is the owner's word that it stays as it
// is, and writers that replace files keep to it the way editors do: even root, whom the
// kernel lets through, is held to a file with no write bit at all.

#include <string>
#include <sys/types.h>
#include <vector>

namespace vorn {

// Who asks: the effective user and group and the supplementary groups.
struct Credentials {
    uid_t User = 0;
    gid_t Group = 0;
    std::vector<gid_t> Groups;
};

// The calling process's credentials.
Credentials CurrentCredentials();

// The owner's bits for the owner, the group's for a member of the file's group, the others'
// for anyone else, whichever applies first; root may write wherever any write bit is set.
bool WritableByMode(mode_t mode, uid_t owner, gid_t group, const Credentials& who);

// Whether path (links followed) is a file that exists and that its mode does not let this
// process write; *reason then says so ("... is read-only"). A missing file is not read-only.
bool ReadOnlyFile(const std::string& path, std::string* reason = nullptr);

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Where the recovery copies of one run of the program go, and how a run finds those of runs
// that ended without saving. Each run has a folder of its own under the recovery folder, made
// when first needed, with an owner file naming its process; a folder whose process no longer
// runs belongs to an ended run. A run takes such a folder over by renaming it into its own: one
// rename, so two runs starting at once cannot both take it, and a run ending before the user
// answered leaves the copies for the next. The folder of a running copy is never touched.

#include <string>
#include <string_view>
#include <vector>

#include "files/RecoveryFile.h"
#include "io/ProcessIdentity.h"

namespace vorn {

inline constexpr const char* RecoveryExtension = ".recovery";
inline constexpr const char* OwnerFileName = "owner";

// Where the copies go, by the rule of the settings: beside the settings file for a copy of the
// program that keeps its settings beside itself ("vorn.vrn" gives "vorn.recovery"), otherwise
// dataFolder/recovery. Empty without a settings path.
std::string RecoveryLocation(const std::string& settingsPath, const std::string& programPath,
                             const std::string& dataFolder);

// The owner file: a title line, then "host", "boot", "pid" and "start" lines.
std::string OwnerText(const ProcessIdentity& owner);
// false for text that is not a whole owner file; `owner` is then left as it was.
bool ReadOwnerText(std::string_view text, ProcessIdentity& owner);

class RecoveryStore {
public:
    // The run of `self` under root; nothing is made on disk before the first write or claim.
    explicit RecoveryStore(std::string root, ProcessIdentity self = ThisProcess());
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    const std::string& Root() const { return root_; }
    // This run's folder; empty until it was made.
    const std::string& Folder() const { return folder_; }
    // The copy of document `id` (a number the run gives each of its documents).
    std::string FileOf(int id) const;

    // Writes the copy through a temporary file, so that a crash during the write leaves the
    // one before; false with *error set when it could not be written.
    bool Write(int id, const RecoveryRecord& record, std::string* error = nullptr);
    void Remove(int id);

    // Takes over the folder of every run whose process ended and lists the copies they held,
    // sorted by path. Folders that held none are removed at once. Only folders count, as
    // they are, never through a link: a link or a file named like a run's folder is left
    // alone, and so is whatever it points at; a copy is a plain file, never a link.
    std::vector<std::string> ClaimEnded();
    // Moves a copy that cannot be read out of the way, to the recovery folder itself, where no
    // run looks again; the new path, or empty when it was not moved. A copy that could not be
    // moved is removed; a path outside the recovery folder is left as it is.
    std::string SetAside(const std::string& path);
    // Removes what was taken over and no longer holds a copy, and this run's folder when it
    // holds nothing: once the user answered for every copy taken over.
    void Tidy();
    // Whether this run's folder holds any copy, its own or one taken over.
    bool HoldsCopies() const;
    // This run's folder and everything in it go: the end of a run that lost nothing.
    void End();

private:
    bool open(std::string* error);

    std::string root_;
    ProcessIdentity self_;
    std::string folder_;
    int setAside_ = 0;
};

} // namespace vorn

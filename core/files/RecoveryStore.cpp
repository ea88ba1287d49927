// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/RecoveryStore.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <sys/stat.h>

#include "files/FileFrame.h"
#include "files/SettingsFile.h"
#include "io/AtomicFile.h"
#include "io/NumberText.h"

namespace vorn {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view OwnerTitle = "Vorn recovery owner\n";
// Names of the folders of ended runs once taken over by this one.
constexpr std::string_view TakenPrefix = "ended-";

// Several windows of one process each keep a run of their own.
std::atomic<int> runsMade{0};

std::string text(long long value) {
    return WholeText(value);
}

// What is there itself, never what a link points at.
bool isFolder(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() == fs::file_type::directory;
}

bool isCopy(const fs::directory_entry& entry) {
    std::error_code ec;
    const std::string name = entry.path().filename().string();
    const std::string extension = RecoveryExtension;
    return entry.symlink_status(ec).type() == fs::file_type::regular &&
           name.size() > extension.size() &&
           name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
}

// Whether path names an entry inside folder: the folders on the way are resolved, links
// and all; the entry itself is what it is, a link included.
bool isInside(const fs::path& path, const fs::path& folder) {
    const fs::path name = path.filename();
    if (name.empty() || name == "." || name == "..")
        return false;
    std::error_code ec;
    const fs::path where = fs::weakly_canonical(path.parent_path(), ec);
    if (ec)
        return false;
    const fs::path root = fs::weakly_canonical(folder, ec);
    if (ec)
        return false;
    return std::mismatch(root.begin(), root.end(), where.begin(), where.end()).first == root.end();
}

// Copies anywhere under folder: a run that took over others and then ended holds theirs too.
void collectCopies(const fs::path& folder, std::vector<std::string>& copies) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (isCopy(*it))
            copies.push_back(it->path().string());
    }
}

// The owner of a run's folder; false when it has none that can be read.
bool ownerOf(const fs::path& folder, ProcessIdentity& owner) {
    std::string bytes;
    return ReadWholeFile((folder / OwnerFileName).string(), bytes) && ReadOwnerText(bytes, owner);
}

bool readLine(std::string_view& rest, std::string_view key, std::string& value) {
    if (rest.substr(0, key.size()) != key || rest.substr(key.size(), 1) != " ")
        return false;
    rest.remove_prefix(key.size() + 1);
    const size_t end = rest.find('\n');
    if (end == std::string_view::npos)
        return false;
    value.assign(rest.substr(0, end));
    rest.remove_prefix(end + 1);
    return true;
}

template <typename Number> bool wholeNumber(const std::string& digits, Number& value) {
    const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return !digits.empty() && r.ec == std::errc() && r.ptr == digits.data() + digits.size();
}

} // namespace

std::string RecoveryLocation(const std::string& settingsPath, const std::string& programPath,
                             const std::string& dataFolder) {
    if (settingsPath.empty())
        return {};
    const bool besideProgram = !programPath.empty() && settingsPath == SettingsPathFor(programPath);
    if (!besideProgram && !dataFolder.empty())
        return (fs::path(dataFolder) / "recovery").string();
    fs::path beside(settingsPath);
    return beside.replace_extension(".recovery").string();
}

std::string OwnerText(const ProcessIdentity& owner) {
    std::string out(OwnerTitle);
    out.append("host ").append(owner.Host).append("\n");
    out.append("boot ").append(owner.Boot).append("\n");
    out.append("pid ").append(text(owner.Pid)).append("\n");
    out.append("start ").append(text(static_cast<long long>(owner.Start))).append("\n");
    return out;
}

bool ReadOwnerText(std::string_view bytes, ProcessIdentity& owner) {
    if (bytes.substr(0, OwnerTitle.size()) != OwnerTitle)
        return false;
    std::string_view rest = bytes.substr(OwnerTitle.size());
    ProcessIdentity read;
    std::string pid, start;
    if (!readLine(rest, "host", read.Host) || !readLine(rest, "boot", read.Boot) ||
        !readLine(rest, "pid", pid) || !readLine(rest, "start", start) || !rest.empty())
        return false;
    if (!wholeNumber(pid, read.Pid) || read.Pid <= 0 || !wholeNumber(start, read.Start))
        return false;
    owner = std::move(read);
    return true;
}

RecoveryStore::RecoveryStore(std::string root, ProcessIdentity self)
    : root_(std::move(root)), self_(std::move(self)) {}

std::string RecoveryStore::FileOf(int id) const {
    std::string name = "document-";
    name.append(text(id)).append(RecoveryExtension);
    return folder_.empty() ? std::string() : (fs::path(folder_) / name).string();
}

bool RecoveryStore::open(std::string* error) {
    if (!folder_.empty())
        return true;
    std::error_code ec;
    fs::create_directories(root_, ec);
    // A folder of the same name may be left from before the machine last started.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = "run-";
        name.append(SafeFileName(self_.Host)).append("-").append(text(self_.Pid));
        name.append("-").append(text(static_cast<long long>(self_.Start)));
        name.append("-").append(text(runsMade++));
        const fs::path folder = fs::path(root_) / name;
        if (::mkdir(folder.c_str(), 0700) != 0) {
            if (errno == EEXIST)
                continue;
            if (error)
                *error = folder.string() + ": " + std::generic_category().message(errno);
            return false;
        }
        if (!WriteFileAtomically((folder / OwnerFileName).string(), OwnerText(self_), error)) {
            fs::remove_all(folder, ec);
            return false;
        }
        folder_ = folder.string();
        return true;
    }
    if (error)
        *error = root_ + ": no free name for a folder";
    return false;
}

bool RecoveryStore::Write(int id, const RecoveryRecord& record, std::string* error) {
    return open(error) && WriteFileAtomically(FileOf(id), RecoveryFileBytes(record), error);
}

void RecoveryStore::Remove(int id) {
    std::error_code ec;
    if (!folder_.empty())
        fs::remove(FileOf(id), ec);
}

std::vector<std::string> RecoveryStore::ClaimEnded() {
    std::vector<std::string> copies;
    std::vector<fs::path> ended;
    std::error_code ec;
    for (fs::directory_iterator it(root_, ec), end; !ec && it != end; it.increment(ec)) {
        ProcessIdentity owner;
        // Only a folder a run made: a link of the same name is the user's, and so is
        // whatever it points at.
        if (it->path() != fs::path(folder_) && isFolder(it->path()) && ownerOf(it->path(), owner) &&
            StateOf(owner, self_) == ps_ended)
            ended.push_back(it->path());
    }
    for (const fs::path& folder : ended) {
        if (!open(nullptr))
            break;
        std::string name(TakenPrefix);
        name.append(folder.filename().string());
        const fs::path taken = fs::path(folder_) / name;
        // Another run starting now may have been first: then the folder is its.
        if (::rename(folder.c_str(), taken.c_str()) != 0)
            continue;
        // Put in its place since it was looked at: moved back, not followed.
        if (!isFolder(taken)) {
            ::rename(taken.c_str(), folder.c_str());
            continue;
        }
        const size_t before = copies.size();
        collectCopies(taken, copies);
        if (copies.size() == before)
            fs::remove_all(taken, ec);
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

std::string RecoveryStore::SetAside(const std::string& given) {
    // Only a copy of the recovery folder's own: anything else is not this program's to move.
    const fs::path path = fs::path(given).lexically_normal();
    if (!isInside(path, root_))
        return {};
    std::string name = fs::path(folder_.empty() ? std::string("run") : folder_).filename().string();
    name.append("-").append(text(++setAside_)).append(".damaged");
    const fs::path target = fs::path(root_) / name;
    std::error_code ec;
    fs::rename(path, target, ec);
    if (!ec)
        return target.string();
    fs::remove(path, ec);
    return {};
}

void RecoveryStore::Tidy() {
    if (folder_.empty())
        return;
    if (!HoldsCopies()) {
        End();
        return;
    }
    std::error_code ec;
    std::vector<fs::path> emptied;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        std::vector<std::string> copies;
        if (it->path().filename().string().rfind(TakenPrefix, 0) == 0 && isFolder(it->path()))
            collectCopies(it->path(), copies);
        else
            continue;
        if (copies.empty())
            emptied.push_back(it->path());
    }
    for (const fs::path& taken : emptied)
        fs::remove_all(taken, ec);
}

bool RecoveryStore::HoldsCopies() const {
    std::vector<std::string> copies;
    if (!folder_.empty())
        collectCopies(folder_, copies);
    return !copies.empty();
}

void RecoveryStore::End() {
    std::error_code ec;
    if (!folder_.empty())
        fs::remove_all(folder_, ec);
    folder_.clear();
}

} // namespace vorn

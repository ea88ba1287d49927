// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/FileFingerprint.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "io/AtomicFile.h"

namespace vorn {

namespace {

int64_t modifiedOf(const std::string& path) {
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(path, ec);
    if (ec)
        return 0;
    return std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
}

} // namespace

uint64_t HashBytes(std::string_view bytes) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

FileFingerprint FingerprintOfData(const std::string& path, std::string_view bytes) {
    FileFingerprint fingerprint;
    fingerprint.Taken = FileFingerprint::fp_read;
    fingerprint.Size = bytes.size();
    fingerprint.Modified = modifiedOf(path);
    fingerprint.Hash = HashBytes(bytes);
    return fingerprint;
}

FileFingerprint TakeFingerprint(const std::string& path) {
    std::error_code ec;
    FileFingerprint fingerprint;
    // A dangling link counts as no file: writing there makes the file it names.
    if (!std::filesystem::exists(path, ec)) {
        fingerprint.Taken = ec ? FileFingerprint::fp_unreadable : FileFingerprint::fp_missing;
        return fingerprint;
    }
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        fingerprint.Taken = FileFingerprint::fp_unreadable;
        fingerprint.Modified = modifiedOf(path);
        return fingerprint;
    }
    return FingerprintOfData(path, bytes);
}

bool FileChanged(const FileFingerprint& before, const FileFingerprint& now) {
    if (!before.Known() || !now.Known())
        return false;
    if (before.Taken == FileFingerprint::fp_unreadable ||
        now.Taken == FileFingerprint::fp_unreadable)
        return true;
    if (before.Taken != now.Taken)
        return true;
    return before.Taken == FileFingerprint::fp_read &&
           (before.Size != now.Size || before.Hash != now.Hash);
}

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What a file was when the program last read or wrote it: whether it was there, its size,
// its modification time and a hash of its bytes. A file counts as changed since when it
// appeared, went, or differs in size or bytes; a new modification time over the same bytes
// (a copy, a touch, a save of the same document) is no change.

#include <cstdint>
#include <string>
#include <string_view>

namespace vorn {

struct FileFingerprint {
    enum State : uint8_t {
        fp_unknown = 0,    // never taken: nothing to compare with
        fp_missing = 1,    // no file was there
        fp_unreadable = 2, // something was there that could not be read whole
        fp_read = 3,       // read whole: Size, Modified and Hash hold
    };
    State Taken = fp_unknown;
    uint64_t Size = 0;    // bytes
    int64_t Modified = 0; // nanoseconds since the file clock's epoch; kept, never compared
    uint64_t Hash = 0;    // HashBytes of the content

    bool Known() const { return Taken != fp_unknown; }
    bool operator==(const FileFingerprint&) const = default;
};

// 64-bit FNV-1a: a change detector, not a guard against someone forging a file.
uint64_t HashBytes(std::string_view bytes);

// The fingerprint of a file as it is now (read whole, see ReadWholeFile).
FileFingerprint TakeFingerprint(const std::string& path);
// The fingerprint of bytes just read from or written to path, with the file's current
// modification time.
FileFingerprint FingerprintOfData(const std::string& path, std::string_view bytes);

// Whether the file described by `now` differs from what `before` saw. False when before is
// unknown; an unreadable file on either side counts as changed.
bool FileChanged(const FileFingerprint& before, const FileFingerprint& now);

} // namespace vorn

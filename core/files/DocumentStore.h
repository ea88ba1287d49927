// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Opening and saving a document file: what the program and vorn-calc both do with one.

#include <string>

#include "files/DocumentFile.h"
#include "io/AtomicFile.h"

namespace vorn {

class TGlobalData;

// ReadDocument, handing an old-format body on to the import. Loaded, or Failed with the
// reason; the frame changes only when loaded. An import has `name` as its ImportedFrom.
LoadOutcome OpenDocument(TFileFrame& frame, ByteReader& in, const std::string& name);
// The same for a file on disk, which becomes the frame's FilePath, with its fingerprint as
// Disk; not so for an import (see ImportedFrom). A file that cannot be read is refused like a
// broken one, with ReadFailure saying why.
LoadOutcome OpenDocumentFile(TFileFrame& frame, const std::string& path);

// A document file name after path's, without folder, with a note that sets it apart:
// "/old/lute.vrd" and "recovered" give "lute (recovered).vrd", never path's own name.
std::string NotedFileName(const std::string& path, const std::string& note);
// What the window names the import of an older-format file and proposes to save it as.
inline std::string ConvertedName(const std::string& oldPath) {
    return NotedFileName(oldPath, "converted");
}

// Why a document body would not open again with these settings ("Unable to load file" or
// the value the reader refused); empty when ReadDocument takes it.
std::string ReadBackFault(const std::string& body, TGlobalData& settings);

// The body, once it has been read back (a file that would not open again is not written),
// written to a temporary file beside `path` and renamed over it; on success the frame takes
// the file's name without directory, its path and fingerprint, and counts as unchanged. On
// failure `error` says why and both the frame's name and any previous file are untouched.
// A read-only file is replaced only when the user said so (see WriteFileAtomically).
bool SaveDocumentFile(TFileFrame& frame, const std::string& path, std::string* error = nullptr,
                      ReadOnlyTarget readOnly = ro_refuse);

// Whether the frame's own file is there and is no longer what this program last read or wrote:
// another program changed it, and a save would lose that. False for a file gone (a save loses
// nothing) and for a frame that never read or wrote its file (nothing to compare with).
bool ChangedOnDiskSince(const TFileFrame& frame);

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A recovery copy: a document with unsaved changes, as a save would write it, what its chart
// showed beyond that, and what its tab needs to take it back. The file is written again after
// every change and must never be taken for more than it holds, so it is checked whole on
// reading:
//
//   Vorn recovery copy\n
//   version 2\n
//   path <n>\n<n bytes>\n      the document's own file, whole; empty for a new document
//   name <n>\n<n bytes>\n      the file name its tab knows it by; empty for a made-up one
//   shown <n>\n<n bytes>\n     the name its tab showed
//   body <n>\n<n bytes>\n      the document file's bytes
//   figures <n>\n<n bytes>\n   the current course as a little-endian i32 (-1 for none), then
//                              what the rows showed (RowFigures; nothing without rows)
//   crc32 <8 hex digits>\n     CRC-32 of everything before this line
//
// Lengths are decimal byte counts; nothing may follow the last line. A copy of version 1, left
// by an older run, has no figures line: its document shows what its body gives.

#include <string>
#include <string_view>

#include "files/DocumentFile.h"

namespace vorn {

class TFileFrame;

inline constexpr int RecoveryVersion = 2;

struct RecoveryRecord {
    std::string FilePath;
    std::string FileName;
    std::string DisplayName;
    std::string Body;
    std::string Figures; // RowFiguresOf the chart the body was written from; may be empty
    int Current = -1;    // the current course, 0-based; -1 for none

    bool operator==(const RecoveryRecord&) const = default;
};

// What a copy of the frame holds, with the document body as its save would write it and the
// rows' figures (RowFiguresOf) taken with it.
RecoveryRecord RecordOf(const TFileFrame& frame, std::string body, std::string figures = {});

std::string RecoveryFileBytes(const RecoveryRecord& record);
// false with the reason in *error for anything but a whole copy of a known version; `record`
// is then left as it was.
bool ReadRecoveryBytes(std::string_view bytes, RecoveryRecord& record, std::string* error);
// The same for a file on disk.
bool ReadRecoveryFile(const std::string& path, RecoveryRecord& record, std::string* error);

// Loads the copy's document into a frame that takes its file path and name back, with the
// figures and the current course the chart showed (figures that do not belong to the body are
// left out). Loaded: a document with a file of its own counts as changed unless that file
// holds the same document, a new one as changed. Failed: the frame is as it was.
LoadOutcome RestoreRecovered(TFileFrame& frame, const RecoveryRecord& record);

} // namespace vorn

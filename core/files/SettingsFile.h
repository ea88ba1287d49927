// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The settings file beside the program: the settings block, then the documents to reopen,
// then an index of those documents that older versions never read.
//
// Layout, little-endian throughout:
//   settings block      TGlobalData::SaveSettings
//   i32 N               documents to reopen
//   N entries           each: name (str: its own file's path when that fits in 255 units,
//                       else its display name), then the document body as a .vrd file holds it
// Older versions stop reading here. When N > 0 the index follows:
//   u8  1               layout of the index
//   i32 N               again
//   N records           each: i32 offset of the entry's first byte in the file, i32 length of
//                       the entry, u64 HashBytes of the entry, u8 flags (1: it had unsaved
//                       edits), i32 byte length of its own file's whole path (0: none) and the
//                       path's bytes, then that file's fingerprint as last read or written:
//                       u8 state, u64 size, i64 modification time, u64 hash
//   u64                 HashBytes of the index from its first byte up to here
//   i32                 length of the index from its first byte through the magic
//   8 bytes             "VornIdx1"
// An index that does not add up is ignored, and the entries are read in order as before.

#include <memory>
#include <string>
#include <vector>

#include "document/GlobalData.h"
#include "files/FileFrame.h"

namespace vorn {

// The program's path with its extension replaced by ".vrn" (appended when it has none).
std::string SettingsPathFor(const std::string& programPath);
// Where the settings live: beside the program for a copy run from its own folder, which keeps
// its settings with it; in configHome/Vorn/vorn.vrn for an installed program, one under /usr,
// /opt or /snap or in a folder the user cannot write (root included: an installed program
// never writes into its own folder).
std::string SettingsLocation(const std::string& programPath, const std::string& configHome,
                             bool programFolderWritable);

// A document of the reopen list that could not be given back.
struct RefusedDocument {
    std::string Name;    // its own file's path, else the name it was kept under
    std::string Message; // LoadFileMessage, or the reader's own message
    std::string Reason;  // why, as a sentence
};

// A document kept with unsaved edits whose own file changed since: the file opens, and the
// user chooses whether the edits take its place.
struct KeptEdits {
    size_t Index = 0;                  // into SettingsLoad::Documents, which holds the file
    std::unique_ptr<TFileFrame> Edits; // the kept copy, changed against that file
};

struct SettingsLoad {
    bool FileFound = false;
    std::string Message; // LoadSettingsMessage when the file was not ours or was broken
    // Where such a file was moved, or a file with a damaged document copied
    // ("vorn.vrn.damaged"); empty when it stayed as it was.
    std::string KeptAs;
    bool BoundsRead = false;
    // Reopened, in order, each read once; the window adopts them. One with a file of its own
    // takes that file back (FilePath, Disk); one whose file changed since it was kept and
    // that had no unsaved edits is read from that file instead. One without a file of its
    // own lives only here and counts as changed.
    std::vector<std::unique_ptr<TFileFrame>> Documents;
    std::vector<KeptEdits> NewerFiles;
    std::vector<RefusedDocument> Refused; // in list order; the others still reopen
};

// Reads the settings into `settings` and reopens the documents. With no file, or a file that
// is not ours or is broken: default materials, no documents (the caller opens a new one);
// the settings keep their defaults and the window keeps its own bounds. A file not ours or
// broken is renamed to path + ".damaged" (and the message says so) before anything can
// overwrite it; a file with a damaged document is copied there, since the rest of it is used.
SettingsLoad LoadSettingsFile(const std::string& path, TGlobalData& settings);
// The same from the file's bytes (FileFound is set), without looking at any other file: a
// document counts as changed when it had unsaved edits or has no file of its own.
SettingsLoad LoadSettingsData(const std::string& bytes, TGlobalData& settings);

// A reopened document with a file of its own counts as changed unless that file holds the same
// document (a missing or unreadable file counts as different).
void MeasureAgainstOwnFile(TFileFrame& frame);

// The bytes SaveSettingsFile writes.
std::string SettingsFileBytes(const TGlobalData& settings,
                              const std::vector<TFileFrame*>& documents);

// The settings block followed by the given documents, written to a temporary file in the same
// folder and renamed over `path`. Returns false with `error` set when it could not be written;
// the previous file is then untouched.
bool SaveSettingsFile(const std::string& path, const TGlobalData& settings,
                      const std::vector<TFileFrame*>& documents, std::string* error);

// Which of the open documents the settings file keeps, by StartupChoice: 1 the active one
// when it has course rows, 2 every one with course rows, otherwise none.
std::vector<TFileFrame*> DocumentsToReopen(const TGlobalData& settings,
                                           const std::vector<TFileFrame*>& open, int active);

} // namespace vorn

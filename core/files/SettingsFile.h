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
//   u8  2               layout of the index (1: records end after the fingerprint)
//   i32 N               again
//   N records           each: i32 offset of the entry's first byte in the file, i32 length of
//                       the entry, u64 HashBytes of the entry, u8 flags (1: it had unsaved
//                       edits), i32 byte length of its own file's whole path (0: none) and the
//                       path's bytes, then that file's fingerprint as last read or written:
//                       u8 state, u64 size, i64 modification time, u64 hash; then the copy
//                       of the program that wrote it: i32 length and bytes of its host name,
//                       the same of its boot id, u64 process id, u64 start time
//   u64                 HashBytes of the index from its first byte up to here
//   i32                 length of the index from its first byte through the magic
//   8 bytes             "VornIdx1"
// An index that does not add up is ignored, and the entries are read in order as before.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/GlobalData.h"
#include "files/FileFrame.h"
#include "io/FileFingerprint.h"
#include "io/ProcessIdentity.h"

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
    int LeftToOthers = 0;                 // entries of other running copies, not reopened here
};

// Several copies of the program share one settings file. Each entry of the reopen list names
// the copy that wrote it; a copy reopens only the entries of copies that ended, and from then
// on they are its own.
struct ReopenOwner {
    ProcessIdentity Self;
    std::function<ProcessState(const ProcessIdentity&)> StateOf; // of another copy, asked now
};
// Whether a copy reopens an entry `writer` left: one of an older version (no writer), its own,
// or one of a copy that ended. A copy on another machine (ps_unknown) keeps its entries.
bool TakesOver(const ProcessIdentity& writer, const ProcessIdentity& self,
               const std::function<ProcessState(const ProcessIdentity&)>& stateOf);
bool SameProcess(const ProcessIdentity& a, const ProcessIdentity& b);

// One entry of the reopen list as the file holds it.
struct StoredEntry {
    std::string Bytes; // the name and the document body
    bool Edited = false;
    std::string Path;
    FileFingerprint Disk;
    ProcessIdentity Writer;
};
struct StoredList {
    std::string Head;                 // the settings block
    bool Indexed = false;             // false: no intact index, so no entry can be told apart
    std::vector<StoredEntry> Entries; // the intact ones, in file order
};
// The entries of a settings file's bytes, as they are.
StoredList StoredEntries(const std::string& bytes);
// What a write of `self` keeps of the entries on disk: every other copy's, running or ended
// and not yet taken over; its own are replaced by what it holds now.
std::vector<StoredEntry> EntriesOfOthers(const std::vector<StoredEntry>& onDisk,
                                         const ProcessIdentity& self);

// Where a damaged settings file goes: path + ".damaged", or ".damaged-2", "-3", ... when
// that is taken, so that no incident overwrites an earlier one.
std::string FreeDamagedName(const std::string& path);

// Reads the settings into `settings` and reopens the documents. With no file, or a file that
// is not ours or is broken: default materials, no documents (the caller opens a new one);
// the settings keep their defaults and the window keeps its own bounds. A file not ours or
// broken is renamed to FreeDamagedName (and the message says so) before anything can
// overwrite it; a file with a damaged document, or a damaged file reached through a link,
// is copied there instead, the link left as it is.
// With an owner, only the entries it TakesOver reopen, and the file is rewritten at once with
// them as the owner's (the caller holds the file's lock).
SettingsLoad LoadSettingsFile(const std::string& path, TGlobalData& settings,
                              const ReopenOwner* owner = nullptr);
// The same from the file's bytes (FileFound is set), without looking at any other file: a
// document counts as changed when it had unsaved edits or has no file of its own.
SettingsLoad LoadSettingsData(const std::string& bytes, TGlobalData& settings);

// A reopened document with a file of its own counts as changed unless that file holds the same
// document (a missing or unreadable file counts as different).
void MeasureAgainstOwnFile(TFileFrame& frame);

// The bytes SaveSettingsFile writes: the documents as `writer`'s entries, then `others`.
std::string SettingsFileBytes(const TGlobalData& settings,
                              const std::vector<TFileFrame*>& documents,
                              const ProcessIdentity& writer = {},
                              const std::vector<StoredEntry>& others = {});

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

// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/SettingsFile.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>
#include <system_error>

#include "files/DocumentFile.h"
#include "files/DocumentStore.h"
#include "io/AtomicFile.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "io/FileFingerprint.h"

namespace vorn {

namespace {

// Longest name the reopen block can hold whole (one length byte of UTF-16 units).
constexpr size_t MaxStoredName = 255;

constexpr std::string_view IndexMagic = "VornIdx1";
// 1: records without their writer; 2: each record names the copy of the program that wrote it.
constexpr uint8_t IndexLayout = 2;
constexpr uint8_t UnownedLayout = 1;
constexpr uint8_t EditedFlag = 1;
// The index's own fields after its records: hash, length, magic.
constexpr size_t IndexTail = 8 + 4 + 8;
// Layout byte and count before the records.
constexpr size_t IndexHead = 1 + 4;

void putU64(ByteWriter& out, uint64_t v) {
    for (int i = 0; i < 8; ++i)
        out.u8(static_cast<uint8_t>(v >> (8 * i)));
}

uint64_t getU64(ByteReader& in) {
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i)
        v |= static_cast<uint64_t>(in.u8()) << (8 * i);
    return v;
}

// What the index says of one entry.
struct IndexRecord {
    size_t Offset = 0;
    size_t Length = 0;
    uint64_t Hash = 0;
    bool Edited = false;
    std::string Path;
    FileFingerprint Disk;
    ProcessIdentity Writer;
};

void putText(ByteWriter& out, const std::string& text) {
    out.i32(static_cast<int32_t>(text.size()));
    out.raw(text);
}

std::string getText(ByteReader& in) {
    const int32_t length = in.i32();
    if (length < 0)
        throw ReadError("negative length");
    return std::string(in.raw(static_cast<size_t>(length)));
}

// What the reader learnt of each reopened document, beyond the document itself.
struct EntryInfo {
    bool Edited = false;
};

void writeIndex(ByteWriter& out, const std::vector<IndexRecord>& records) {
    const size_t start = out.bytes().size();
    out.u8(IndexLayout);
    out.i32(static_cast<int32_t>(records.size()));
    for (const IndexRecord& r : records) {
        out.i32(static_cast<int32_t>(r.Offset));
        out.i32(static_cast<int32_t>(r.Length));
        putU64(out, r.Hash);
        out.u8(r.Edited ? EditedFlag : 0);
        out.i32(static_cast<int32_t>(r.Path.size()));
        out.raw(r.Path);
        out.u8(r.Disk.Taken);
        putU64(out, r.Disk.Size);
        putU64(out, static_cast<uint64_t>(r.Disk.Modified));
        putU64(out, r.Disk.Hash);
        putText(out, r.Writer.Host);
        putText(out, r.Writer.Boot);
        putU64(out, static_cast<uint64_t>(r.Writer.Pid));
        putU64(out, r.Writer.Start);
    }
    putU64(out, HashBytes(std::string_view(out.bytes()).substr(start)));
    out.i32(static_cast<int32_t>(out.bytes().size() - start + 4 + IndexMagic.size()));
    out.raw(IndexMagic);
}

// The index at the end of bytes, for entries that lie between listStart and it; false when
// there is none or it does not add up.
bool readIndex(std::string_view bytes, size_t listStart, std::vector<IndexRecord>& records,
               size_t& indexStart) {
    if (bytes.size() < listStart + IndexHead + IndexTail ||
        bytes.substr(bytes.size() - IndexMagic.size()) != IndexMagic)
        return false;
    try {
        ByteReader tail(bytes.substr(bytes.size() - IndexTail));
        const uint64_t hash = getU64(tail);
        const int32_t length = tail.i32();
        if (length < static_cast<int32_t>(IndexHead + IndexTail) ||
            static_cast<size_t>(length) > bytes.size() - listStart)
            return false;
        indexStart = bytes.size() - static_cast<size_t>(length);
        const std::string_view index =
            bytes.substr(indexStart, static_cast<size_t>(length) - IndexTail);
        if (HashBytes(index) != hash)
            return false;
        ByteReader in(index);
        const uint8_t layout = in.u8();
        if (layout != IndexLayout && layout != UnownedLayout)
            return false;
        const int32_t count = in.i32();
        // Each record is read before the next is made: a count the index cannot hold ends at
        // the index's end, not in a long loop.
        for (int32_t i = 0; i < count; ++i) {
            IndexRecord r;
            const int32_t offset = in.i32();
            const int32_t entryLength = in.i32();
            if (offset < static_cast<int32_t>(listStart) || entryLength <= 0 ||
                static_cast<size_t>(offset) + static_cast<size_t>(entryLength) > indexStart)
                return false;
            r.Offset = static_cast<size_t>(offset);
            r.Length = static_cast<size_t>(entryLength);
            r.Hash = getU64(in);
            r.Edited = (in.u8() & EditedFlag) != 0;
            const int32_t pathLength = in.i32();
            if (pathLength < 0)
                return false;
            r.Path = std::string(in.raw(static_cast<size_t>(pathLength)));
            const uint8_t state = in.u8();
            if (state > FileFingerprint::fp_read)
                return false;
            r.Disk.Taken = static_cast<FileFingerprint::State>(state);
            r.Disk.Size = getU64(in);
            r.Disk.Modified = static_cast<int64_t>(getU64(in));
            r.Disk.Hash = getU64(in);
            if (layout == IndexLayout) {
                r.Writer.Host = getText(in);
                r.Writer.Boot = getText(in);
                r.Writer.Pid = static_cast<long>(getU64(in));
                r.Writer.Start = getU64(in);
            }
            records.push_back(std::move(r));
        }
        return in.atEnd();
    } catch (const ReadError&) {
        return false;
    }
}

// The name the user knows a refused document by.
std::string nameOf(const std::string& path, const std::string& stored, int32_t index) {
    if (!path.empty())
        return path;
    if (!stored.empty())
        return stored;
    return "document " + std::to_string(index + 1) + " of the list";
}

// The name a document was kept under, and the whole path of its own file when there is one
// (from the index, or from the name itself in files without an index).
void nameFrame(TFileFrame& frame, const std::string& name, const std::string* path) {
    frame.FileName = name;
    std::string own;
    if (path)
        own = *path;
    else if (std::filesystem::path(name).is_absolute())
        own = name;
    if (!own.empty()) {
        frame.FilePath = own;
        frame.FileName = FinalComponent(own);
    }
}

// The entries by the index: each on its own, so a damaged one costs only itself.
void readIndexedEntries(std::string_view bytes, const std::vector<IndexRecord>& records,
                        TGlobalData& settings, SettingsLoad& result, std::vector<EntryInfo>& info,
                        const ReopenOwner* owner) {
    for (size_t i = 0; i < records.size(); ++i) {
        const IndexRecord& r = records[i];
        // Another running copy's documents stay open there, not here as well.
        if (owner && !TakesOver(r.Writer, owner->Self, owner->StateOf)) {
            ++result.LeftToOthers;
            continue;
        }
        const std::string_view entry = bytes.substr(r.Offset, r.Length);
        ByteReader in(entry);
        std::string name;
        try {
            name = in.str();
        } catch (const ReadError&) {
        }
        const std::string shown = nameOf(r.Path, name, static_cast<int32_t>(i));
        if (HashBytes(entry) != r.Hash) {
            result.Refused.push_back(
                {shown, LoadFileMessage, "Its copy in the settings file is damaged."});
            continue;
        }
        auto frame = std::make_unique<TFileFrame>(settings);
        const LoadOutcome outcome = ReadDocument(*frame, in, name);
        if (outcome.Result != LoadResult::Loaded) {
            result.Refused.push_back({shown,
                                      outcome.Message.empty() ? LoadFileMessage : outcome.Message,
                                      "Its copy in the settings file cannot be read."});
            continue;
        }
        nameFrame(*frame, name, &r.Path);
        frame->Disk = r.Disk;
        result.Documents.push_back(std::move(frame));
        info.push_back({r.Edited});
    }
}

// The entries one after another, as older versions wrote them: without an index the first
// one that does not load ends the list, since where the next begins is unknown.
void readEntriesInOrder(ByteReader& in, int32_t count, TGlobalData& settings, SettingsLoad& result,
                        std::vector<EntryInfo>& info) {
    for (int32_t i = 0; i < count; ++i) {
        std::string name;
        try {
            name = in.str();
        } catch (const ReadError&) {
            result.Refused.push_back(
                {nameOf({}, {}, i), LoadFileMessage, "The settings file ends before it."});
            return;
        }
        auto frame = std::make_unique<TFileFrame>(settings);
        const LoadOutcome outcome = ReadDocument(*frame, in, name);
        if (outcome.Result != LoadResult::Loaded) {
            result.Refused.push_back(
                {nameOf({}, name, i), outcome.Message.empty() ? LoadFileMessage : outcome.Message,
                 count > i + 1 ? "Its copy in the settings file is damaged, and the documents "
                                 "listed after it cannot be found."
                               : "Its copy in the settings file is damaged."});
            return;
        }
        nameFrame(*frame, name, nullptr);
        result.Documents.push_back(std::move(frame));
        info.push_back({});
    }
}

// The documents after the settings block. A missing count means none.
void readReopenBlock(std::string_view bytes, ByteReader& in, TGlobalData& settings,
                     SettingsLoad& result, std::vector<EntryInfo>& info, const ReopenOwner* owner) {
    int32_t count = 0;
    try {
        count = in.i32();
    } catch (const ReadError&) {
        return;
    }
    std::vector<IndexRecord> records;
    size_t indexStart = 0;
    // An intact index is trusted over the count, which it repeats.
    if (readIndex(bytes, in.position(), records, indexStart))
        readIndexedEntries(bytes, records, settings, result, info, owner);
    else
        readEntriesInOrder(in, count, settings, result, info);
}

// The settings and the documents, each document as its bytes say, before any file is asked.
SettingsLoad readSettings(const std::string& bytes, TGlobalData& settings,
                          std::vector<EntryInfo>& info, const ReopenOwner* owner = nullptr) {
    SettingsLoad result;
    result.FileFound = true;
    ByteReader in(bytes);
    bool ours = false;
    try {
        ours = settings.LoadSettings(in);
    } catch (const ReadError&) {
        ours = false;
    }
    if (!ours) {
        result.Message = LoadSettingsMessage;
        return result;
    }
    result.BoundsRead = true;
    readReopenBlock(bytes, in, settings, result, info, owner);
    return result;
}

// A document with no file of its own, or one that had unsaved edits, is unsaved until saved.
void markKeptEdits(SettingsLoad& result, const std::vector<EntryInfo>& info) {
    for (size_t i = 0; i < result.Documents.size(); ++i)
        if (result.Documents[i]->FilePath.empty() || info[i].Edited)
            result.Documents[i]->MarkChanged();
}

// A settings file that cannot be used moves aside before the next write, so that a single
// damaged byte does not cost every setting and stored document for good.
void keepDamaged(const std::string& path, const std::string& bytes, SettingsLoad& result) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    std::string kept = FreeDamagedName(path);
    if (fs::is_symlink(status)) {
        // The link stays and keeps naming its file, which the next write replaces: the damaged
        // bytes are copied aside first.
        if (!fs::is_regular_file(fs::status(path, ec)) || !WriteFileAtomically(kept, bytes))
            return;
    } else {
        if (!fs::is_regular_file(status))
            return;
        fs::rename(path, kept, ec);
        if (ec)
            return;
    }
    result.KeptAs = kept;
    result.Message +=
        "\n(The damaged file was kept as " + fs::path(kept).filename().string() + ".)";
}

// One whose document could not be read is copied aside instead: its other documents and
// settings are still used, and the next write would drop the damaged one for good.
void copyDamaged(const std::string& path, const std::string& bytes, SettingsLoad& result) {
    const std::string kept = FreeDamagedName(path);
    if (WriteFileAtomically(kept, bytes))
        result.KeptAs = kept;
}

// A reopened document with a file of its own against that file as it is now: disk wins unless
// the document had unsaved edits, and then the user chooses.
void reconcileWithDisk(SettingsLoad& result, size_t i, bool edited, TGlobalData& settings) {
    TFileFrame& kept = *result.Documents[i];
    if (kept.FilePath.empty())
        return;
    auto onDisk = std::make_unique<TFileFrame>(settings);
    FileFingerprint now = TakeFingerprint(kept.FilePath);
    const bool loads = now.Taken == FileFingerprint::fp_read &&
                       OpenDocumentFile(*onDisk, kept.FilePath).Result == LoadResult::Loaded;
    if (loads)
        now = onDisk->Disk;

    if (!kept.Disk.Known()) {
        // Kept by an older version, which asked about every change at the quit: a kept copy
        // that differs from its file is older than the file.
        if (loads) {
            kept.MarkUnchangedAs(*onDisk);
            if (kept.Changed())
                result.Documents[i] = std::move(onDisk);
            else
                kept.Disk = now;
            return;
        }
        kept.MarkChanged();
        // Whatever lies there now was never read here: a save asks first.
        if (now.Taken != FileFingerprint::fp_missing)
            kept.Disk.Taken = FileFingerprint::fp_missing;
        return;
    }
    if (!FileChanged(kept.Disk, now)) {
        if (loads)
            kept.MarkUnchangedAs(*onDisk);
        else
            kept.MarkChanged();
        return;
    }
    // Changed since. Gone, or no longer a document: the kept copy is all there is, and its
    // fingerprint still makes a save ask before it replaces what is there.
    if (!loads) {
        kept.MarkChanged();
        return;
    }
    if (!edited) {
        result.Documents[i] = std::move(onDisk);
        return;
    }
    kept.MarkUnchangedAs(*onDisk);
    // The user will have seen the file as it is now when choosing the edits.
    kept.Disk = now;
    result.NewerFiles.push_back({i, std::move(result.Documents[i])});
    result.Documents[i] = std::move(onDisk);
}

} // namespace

std::string SettingsPathFor(const std::string& programPath) {
    std::filesystem::path p(programPath);
    p.replace_extension(".vrn");
    return p.string();
}

std::string SettingsLocation(const std::string& programPath, const std::string& configHome,
                             bool programFolderWritable) {
    const std::filesystem::path folder =
        std::filesystem::path(programPath).parent_path().lexically_normal();
    bool installed = !programFolderWritable;
    for (const char* name : {"/usr", "/opt", "/snap"}) {
        const std::filesystem::path root(name);
        const auto mismatch = std::mismatch(root.begin(), root.end(), folder.begin(), folder.end());
        installed = installed || mismatch.first == root.end();
    }
    if (!installed || configHome.empty())
        return SettingsPathFor(programPath);
    return (std::filesystem::path(configHome) / "Vorn" / "vorn.vrn").string();
}

SettingsLoad LoadSettingsData(const std::string& bytes, TGlobalData& settings) {
    std::vector<EntryInfo> info;
    SettingsLoad result = readSettings(bytes, settings, info);
    markKeptEdits(result, info);
    return result;
}

void MeasureAgainstOwnFile(TFileFrame& frame) {
    if (frame.FilePath.empty())
        return;
    TFileFrame onDisk(frame.Settings);
    if (OpenDocumentFile(onDisk, frame.FilePath).Result == LoadResult::Loaded)
        frame.MarkUnchangedAs(onDisk);
    else
        frame.MarkChanged();
}

std::string FreeDamagedName(const std::string& path) {
    std::error_code ec;
    std::string name = path + ".damaged";
    for (int n = 2;
         std::filesystem::symlink_status(name, ec).type() != std::filesystem::file_type::not_found;
         ++n)
        name = path + ".damaged-" + std::to_string(n);
    return name;
}

bool TakesOver(const ProcessIdentity& writer, const ProcessIdentity& self,
               const std::function<ProcessState(const ProcessIdentity&)>& stateOf) {
    // Written by a version that did not say, or by this very process.
    if (writer.Pid <= 0 || SameProcess(writer, self))
        return true;
    // A copy on another machine may still run: its documents are left to it.
    return stateOf(writer) == ps_ended;
}

bool SameProcess(const ProcessIdentity& a, const ProcessIdentity& b) {
    return a.Host == b.Host && a.Boot == b.Boot && a.Pid == b.Pid && a.Start == b.Start;
}

StoredList StoredEntries(const std::string& bytes) {
    StoredList list;
    TGlobalData scratch;
    ByteReader in(bytes);
    try {
        if (!scratch.LoadSettings(in))
            return list;
        list.Head = bytes.substr(0, in.position());
        in.i32();
    } catch (const ReadError&) {
        return list;
    }
    std::vector<IndexRecord> records;
    size_t indexStart = 0;
    if (!readIndex(bytes, in.position(), records, indexStart))
        return list;
    list.Indexed = true;
    for (const IndexRecord& r : records) {
        const std::string_view entry = std::string_view(bytes).substr(r.Offset, r.Length);
        if (HashBytes(entry) != r.Hash)
            continue; // a damaged entry is not carried on; its file was copied aside
        list.Entries.push_back({std::string(entry), r.Edited, r.Path, r.Disk, r.Writer});
    }
    return list;
}

std::vector<StoredEntry> EntriesOfOthers(const std::vector<StoredEntry>& onDisk,
                                         const ProcessIdentity& self) {
    std::vector<StoredEntry> others;
    for (const StoredEntry& entry : onDisk)
        if (!SameProcess(entry.Writer, self))
            others.push_back(entry);
    return others;
}

namespace {

// The settings block bytes, then the entries and their index.
std::string assemble(std::string head, const std::vector<StoredEntry>& entries) {
    ByteWriter out;
    out.raw(head);
    out.i32(static_cast<int32_t>(entries.size()));
    std::vector<IndexRecord> records;
    for (const StoredEntry& e : entries) {
        IndexRecord r;
        r.Offset = out.bytes().size();
        out.raw(e.Bytes);
        r.Length = e.Bytes.size();
        r.Hash = HashBytes(e.Bytes);
        r.Edited = e.Edited;
        r.Path = e.Path;
        r.Disk = e.Disk;
        r.Writer = e.Writer;
        records.push_back(std::move(r));
    }
    if (!records.empty())
        writeIndex(out, records);
    return out.take();
}

// The entries of ended copies this one reopened become its own, in one write under the
// caller's lock: a copy starting next leaves them alone.
void takeOverOnDisk(const std::string& path, const std::string& bytes, const ReopenOwner& owner) {
    StoredList list = StoredEntries(bytes);
    bool changed = false;
    for (StoredEntry& e : list.Entries)
        if (!SameProcess(e.Writer, owner.Self) && TakesOver(e.Writer, owner.Self, owner.StateOf)) {
            e.Writer = owner.Self;
            changed = true;
        }
    if (list.Indexed && changed)
        WriteFileAtomically(path, assemble(std::move(list.Head), list.Entries));
}

} // namespace

SettingsLoad LoadSettingsFile(const std::string& path, TGlobalData& settings,
                              const ReopenOwner* owner) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        SettingsLoad result;
        return result;
    }
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        SettingsLoad result;
        result.FileFound = true;
        result.Message = LoadSettingsMessage;
        keepDamaged(path, bytes, result);
        return result;
    }
    std::vector<EntryInfo> info;
    SettingsLoad result = readSettings(bytes, settings, info, owner);
    if (!result.Message.empty()) {
        keepDamaged(path, bytes, result);
        return result;
    }
    if (!result.Refused.empty())
        copyDamaged(path, bytes, result);
    if (owner)
        takeOverOnDisk(path, bytes, *owner);
    for (size_t i = 0; i < result.Documents.size(); ++i) {
        if (result.Documents[i]->FilePath.empty())
            result.Documents[i]->MarkChanged();
        else
            reconcileWithDisk(result, i, info[i].Edited, settings);
    }
    return result;
}

namespace {

std::vector<StoredEntry> entriesOf(const std::vector<TFileFrame*>& documents,
                                   const ProcessIdentity& writer) {
    std::vector<StoredEntry> entries;
    for (TFileFrame* frame : documents) {
        StoredEntry e;
        ByteWriter out;
        // A document with a file of its own is kept under that file's path, when it fits;
        // the index holds the path whole.
        const std::string& own = frame->FilePath;
        const bool byPath = std::filesystem::path(own).is_absolute() && own.size() <= MaxStoredName;
        out.str(byPath ? own : frame->DisplayName());
        ByteWriter body;
        WriteDocument(*frame, body);
        e.Edited = frame->ChangedFrom(body.bytes());
        out.raw(body.bytes());
        e.Bytes = out.take();
        e.Path = own;
        e.Disk = frame->Disk;
        e.Writer = writer;
        entries.push_back(std::move(e));
    }
    return entries;
}

} // namespace

std::string SettingsFileBytes(const TGlobalData& settings,
                              const std::vector<TFileFrame*>& documents,
                              const ProcessIdentity& writer,
                              const std::vector<StoredEntry>& others) {
    ByteWriter head;
    settings.SaveSettings(head);
    std::vector<StoredEntry> entries = entriesOf(documents, writer);
    entries.insert(entries.end(), others.begin(), others.end());
    return assemble(head.take(), entries);
}

bool SaveSettingsFile(const std::string& path, const TGlobalData& settings,
                      const std::vector<TFileFrame*>& documents, std::string* error) {
    return WriteFileAtomically(path, SettingsFileBytes(settings, documents), error);
}

std::vector<TFileFrame*> DocumentsToReopen(const TGlobalData& settings,
                                           const std::vector<TFileFrame*>& open, int active) {
    std::vector<TFileFrame*> kept;
    switch (settings.StartupChoice) {
    case 1:
        if (active >= 0 && active < static_cast<int>(open.size()) && open[active] &&
            open[active]->HasCourseRows())
            kept.push_back(open[active]);
        break;
    case 2:
        for (TFileFrame* frame : open)
            if (frame && frame->HasCourseRows())
                kept.push_back(frame);
        break;
    default:
        break;
    }
    return kept;
}

} // namespace vorn

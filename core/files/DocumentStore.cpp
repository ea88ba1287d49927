// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/DocumentStore.h"

#include "files/DialogPaths.h"
#include "files/FileFrame.h"
#include "files/OldFileConversion.h"
#include "io/AtomicFile.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "io/FileFingerprint.h"

namespace vorn {

std::string NotedFileName(const std::string& path, const std::string& note) {
    std::string stem = FinalComponent(path);
    const size_t dot = stem.rfind('.');
    if (dot != std::string::npos && dot > 0)
        stem.resize(dot);
    return SafeFileName(stem + " (" + note + ")") + "." + DocumentExtension;
}

LoadOutcome OpenDocument(TFileFrame& frame, ByteReader& in, const std::string& name) {
    const LoadOutcome outcome = ReadDocument(frame, in, name);
    if (outcome.Result != LoadResult::OldFormat) {
        if (outcome.Result == LoadResult::Loaded)
            frame.ImportedFrom.clear();
        return outcome;
    }
    const LoadOutcome imported = ImportOldDocument(frame, in);
    if (imported.Result == LoadResult::Loaded) {
        frame.ImportedFrom = name;
        frame.FilePath.clear();
        frame.Disk = {};
    }
    return imported;
}

LoadOutcome OpenDocumentFile(TFileFrame& frame, const std::string& path) {
    std::string bytes, error;
    if (!ReadWholeFile(path, bytes, &error))
        return {LoadResult::Failed, LoadFileMessage, error};
    ByteReader in(bytes);
    LoadOutcome outcome = OpenDocument(frame, in, path);
    if (outcome.Result == LoadResult::Loaded && frame.ImportedFrom.empty()) {
        frame.FilePath = path;
        frame.Disk = FingerprintOfData(path, bytes);
    }
    return outcome;
}

std::string ReadBackFault(const std::string& body, TGlobalData& settings) {
    TFileFrame scratch(settings);
    ByteReader in(body);
    const LoadOutcome outcome = ReadDocument(scratch, in, {});
    if (outcome.Result == LoadResult::Loaded)
        return {};
    return outcome.Reason.empty() ? std::string(LoadFileMessage) : outcome.Reason;
}

bool SaveDocumentFile(TFileFrame& frame, const std::string& path, std::string* error,
                      ReadOnlyTarget readOnly) {
    ByteWriter out;
    WriteDocument(frame, out);
    if (const std::string fault = ReadBackFault(out.bytes(), frame.Settings); !fault.empty()) {
        if (error)
            *error = "the document would not open again (" + fault + ")";
        return false;
    }
    if (!WriteFileAtomically(path, out.bytes(), error, readOnly))
        return false;
    frame.ImportedFrom.clear();
    frame.FileName = FinalComponent(path);
    frame.FilePath = path;
    frame.Disk = FingerprintOfData(path, out.bytes());
    frame.MarkUnchanged();
    return true;
}

bool ChangedOnDiskSince(const TFileFrame& frame) {
    if (frame.FilePath.empty() || !frame.Disk.Known())
        return false;
    const FileFingerprint now = TakeFingerprint(frame.FilePath);
    return now.Taken != FileFingerprint::fp_missing && FileChanged(frame.Disk, now);
}

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A document as one tab holds it: the document, its string chart and the name it was saved
// or loaded under.

#include <functional>
#include <string>
#include <utility>

#include "chart/StrFrame.h"
#include "document/GlobalData.h"
#include "document/InstDataType.h"
#include "io/FileFingerprint.h"

namespace vorn {

// A name that stays one file name in any folder: path separators, characters that common file
// systems refuse and control characters become '_', a name of only dots gets a '_' in front,
// and a name longer than 200 bytes is cut at a character boundary.
std::string SafeFileName(const std::string& name);

class TFileFrame {
public:
    explicit TFileFrame(TGlobalData& settings);
    TFileFrame(const TFileFrame&) = delete;
    TFileFrame& operator=(const TFileFrame&) = delete;

    TGlobalData& Settings;
    TInstDataType Document;
    TStrFrame Chart;
    int Family = 0;
    std::string FileName; // without directory; empty for a new document
    std::string FilePath; // the file read or last saved, whole; empty when there is none
    // The older-format file an import was read from, whole; empty for anything else. An
    // import is not its original: it has no FilePath, so that a save asks for a file of its
    // own rather than replace the old file, which older programs still read.
    std::string ImportedFrom;
    // What FilePath was when this program last read or wrote it; unknown when it never did.
    FileFingerprint Disk;

    // Whether the document would be saved other than it was made, read or last saved: edits
    // undone count as no change.
    bool Changed();
    // What the document holds now counts as unchanged.
    void MarkUnchanged();
    // What `other` holds counts as unchanged: a document measured against its file on disk.
    void MarkUnchangedAs(TFileFrame& other);
    // Changed until saved, whatever it holds.
    void MarkChanged() { savedBytes_.clear(); }
    // Changed, for a document body written already (what WriteDocument gives).
    bool ChangedFrom(const std::string& bytes) const { return bytes != savedBytes_; }
    // The body of the unchanged state: a document read back in place (an undone step) keeps
    // the state its file was saved in.
    const std::string& SavedBytes() const { return savedBytes_; }
    void SetSavedBytes(std::string bytes) { savedBytes_ = std::move(bytes); }

    // The document a new tab starts with: the template of the settings' default instrument type.
    void NewFromDefaults();
    // The template of an instrument type 0..23 with the settings' default temperament and maker.
    void ApplyTemplate(int type);
    // FileName, or "Alto Lute in G_10crs_sl64" built from the document and made a safe file
    // name (see SafeFileName).
    std::string DisplayName() const;
    // What a save dialog proposes: DisplayName as a safe file name.
    std::string ProposedFileName() const { return SafeFileName(DisplayName()); }
    bool HasCourseRows() const { return Chart.CourseCount() > 0; }
    float TotalTension() const { return Chart.TotalTension(); }
    // Builds the course rows from the document when there are none yet.
    void ViewStrings();

    // Runs a load that changes the document and its rows, so that a failure (load returns
    // false) leaves this frame as it was. A frame that never had rows is loaded once and put
    // back on failure; one with rows is first rehearsed on a scratch copy.
    bool LoadWholly(const std::function<bool(TFileFrame&)>& load);

private:
    std::string savedBytes_; // the document file of the unchanged state
};

} // namespace vorn

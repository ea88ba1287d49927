#pragma once
// A document as one tab holds it: the document, its string chart and the name it was saved
// or loaded under.

#include <functional>
#include <string>

#include "chart/StrFrame.h"
#include "document/GlobalData.h"
#include "document/InstDataType.h"

namespace vorn {

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

    // The document a new tab starts with: the template of the settings' default instrument type.
    void NewFromDefaults();
    // The template of an instrument type 0..23 with the settings' default temperament and maker.
    void ApplyTemplate(int type);
    // FileName, or "Alto Lute in G_10crs_sl64" built from the document.
    std::string DisplayName() const;
    bool HasCourseRows() const { return Chart.CourseCount() > 0; }
    float TotalTension() const { return Chart.TotalTension(); }
    // Builds the course rows from the document when there are none yet.
    void ViewStrings();

    // Runs a load that changes the document and its rows, so that a failure (load returns
    // false) leaves this frame as it was. A frame that never had rows is loaded once and put
    // back on failure; one with rows is first rehearsed on a scratch copy.
    bool LoadWholly(const std::function<bool(TFileFrame&)>& load);
};

} // namespace vorn

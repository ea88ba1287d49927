// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the fuzz targets share: settings as a first start has them, the check that a
// loaded document saves and loads again to the same bytes, and the work every command and page
// does with a loaded document. libFuzzer's -timeout and -rss_limit_mb turn a document that
// makes that work run away into a finding.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "files/DocumentFile.h"
#include "files/FileFrame.h"
#include "files/FretTemplateDxf.h"
#include "frets/FretFrame.h"
#include "frets/FretFrorm.h"
#include "frets/FretTemplate.h"
#include "frets/PlacementFrame.h"
#include "frets/ScalaScale.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "report/OrderList.h"
#include "report/Report.h"

namespace vorn::fuzz {

inline TGlobalData& DefaultSettings() {
    static TGlobalData settings;
    return settings;
}

inline std::string Saved(TFileFrame& frame) {
    ByteWriter out;
    WriteDocument(frame, out);
    return out.take();
}

// Every value the string rows show.
inline std::string ShownRows(const TFileFrame& frame) {
    std::string shown;
    for (const auto& course : frame.Chart.Courses)
        for (int which = 0; which < (course->HasSecond() ? 2 : 1); ++which) {
            const StringRecord& r = course->String(which).Rec;
            shown += std::to_string(r.Frequency) + " " + std::to_string(r.Length) + " " +
                     std::to_string(r.TensionN) + " " + std::to_string(r.GutDiameter) + " " +
                     r.AltChoice + " " + r.AltText(frame.Settings.Materials) + "\n";
        }
    return shown;
}

// A loaded document's body must survive Save and Open: the reopened file holds the same
// document, and a second save is byte for byte the first.
inline void CheckBodyReopens(TFileFrame& frame, TFileFrame& reopened) {
    const std::string first = Saved(frame);
    ByteReader in(first);
    if (ReadDocument(reopened, in, "again.vrd").Result != LoadResult::Loaded || !in.atEnd())
        std::abort();
    if (!(reopened.Document == frame.Document))
        std::abort();
    if (Saved(reopened) != first)
        std::abort();
}

// A document loaded from a file must survive Save and Open unchanged: what it shows now is
// what the reopened file shows too.
inline void CheckSavesAndReopens(TFileFrame& frame) {
    TFileFrame reopened(frame.Settings);
    CheckBodyReopens(frame, reopened);
    if (ShownRows(reopened) != ShownRows(frame))
        std::abort();
}

// What the report, the order list, the Fret Chart and its graphic, the Placement Chart, a
// Scala file, the fret template and its workshop files make of a loaded document. Works on a
// copy: the fret pages may move a custom fraction onto the slider's grid.
inline void CheckConsumers(const TFileFrame& frame) {
    const std::string title = frame.DisplayName();
    const ReportOptions options;
    if (BuildReport(title, frame.Chart, options).empty() ||
        BuildReportText(title, frame.Chart, options).empty())
        std::abort();

    TGlobalData settings = frame.Settings;
    TInstDataType document = frame.Document;
    TFretFrorm page(settings);
    page.Bind(document);
    TFretFrame graphic;
    graphic.Layout(600, page.ChoicesInUse, document.CommaFraction);
    for (const int notes : {12, 17})
        if (ScalaFile("fuzz.scl", title, document.CommaFraction, page.ChoicesInUse, notes).empty())
            std::abort();
    for (const TemplatePaper& paper : {TemplatePaper::A4(), TemplatePaper::Letter()}) {
        const TemplateInput in = TemplateOf(page, title, true, paper);
        const std::vector<TemplatePage> pages = LayoutFretTemplate(in);
        // Drawn in full, or refused with a reason and nothing drawn.
        if (TemplateRefusal(in).empty() == pages.empty())
            std::abort();
        if (!pages.empty() && FretTemplateSvg(pages, paper).empty())
            std::abort();
    }
    // The workshop files: a drawing of the whole board unless refused, and the table always.
    const TemplateInput whole = TemplateOf(page, title, true, TemplatePaper::A4());
    const std::vector<LayoutLine> lines = FretLayoutLines(whole);
    if (TemplateRefusal(whole).empty() == lines.empty() || FretTemplateDxf(lines, title).empty() ||
        FretTemplateCsv(whole).empty())
        std::abort();
    for (const bool byAlternative : {false, true}) {
        const OrderOptions order{byAlternative};
        if (OrderListText(title, order, BuildOrderList(frame.Chart, order)).empty())
            std::abort();
    }

    TPlacementFrame placement;
    placement.Bind(document);
    placement.Refresh();
    for (int fret = 1; fret <= PlacementFrets; ++fret)
        placement.HeaderClicked(fret);
}

// A loaded document must save and reopen; a refused one leaves the new tab as it was
// (`before` is its document then) and tells the user why.
inline void CheckOutcome(TFileFrame& frame, const TInstDataType& before,
                         const LoadOutcome& outcome) {
    if (outcome.Result == LoadResult::Loaded) {
        CheckSavesAndReopens(frame);
        CheckConsumers(frame);
        return;
    }
    if (outcome.Result != LoadResult::Failed || outcome.Message.empty() ||
        !(frame.Document == before) || frame.HasCourseRows())
        std::abort();
}

// A new tab's document given the bytes through load(frame, reader) -> LoadOutcome, then
// checked as above.
template <class Load> void CheckLoad(const uint8_t* data, size_t size, Load load) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TFileFrame frame(DefaultSettings());
    frame.NewFromDefaults();
    const TInstDataType before = frame.Document;
    ByteReader in(bytes);
    CheckOutcome(frame, before, load(frame, in));
}

} // namespace vorn::fuzz

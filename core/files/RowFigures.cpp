// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/RowFigures.h"

#include <vector>

#include "chart/StrFrame.h"
#include "files/DocumentBody.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"

namespace vorn {

namespace {

int stringsOf(const TOneCrsPanel& course) {
    return course.HasSecond() ? 2 : 1;
}

void writeShown(ByteWriter& out, const TOneCrsPanel::Shown& s) {
    out.f32(s.Length);
    out.f32(s.TensionN);
    out.f32(s.GutDiameter);
    out.u8(s.AltDiameter ? 1 : 0);
    if (s.AltDiameter)
        out.f32(*s.AltDiameter);
    out.u8(s.CatalogueEntry);
}

TOneCrsPanel::Shown readShown(ByteReader& in) {
    TOneCrsPanel::Shown s;
    s.Length = in.finiteF32("length");
    s.TensionN = in.finiteF32("tension");
    s.GutDiameter = in.finiteF32("gut diameter");
    if (in.u8AtMost(1, "alternative diameter mark") == 1)
        s.AltDiameter = in.finiteF32("alternative diameter");
    s.CatalogueEntry = in.u8();
    return s;
}

// The figures of every string in chart order; false when they do not fit the chart's rows.
bool readAll(const TStrFrame& chart, std::string_view figures,
             std::vector<TOneCrsPanel::Shown>& shown) {
    try {
        ByteReader in(figures);
        if (in.u8() != chart.CourseCount())
            return false;
        for (const auto& course : chart.Courses) {
            if (in.u8() != stringsOf(*course))
                return false;
            for (int which = 0; which < stringsOf(*course); ++which)
                shown.push_back(readShown(in));
        }
        return in.atEnd();
    } catch (const ReadError&) {
        return false;
    }
}

} // namespace

std::string RowFiguresOf(const TStrFrame& chart) {
    if (chart.CourseCount() == 0)
        return {};
    ByteWriter out;
    out.u8(static_cast<uint8_t>(chart.CourseCount()));
    for (const auto& course : chart.Courses) {
        out.u8(static_cast<uint8_t>(stringsOf(*course)));
        for (int which = 0; which < stringsOf(*course); ++which)
            writeShown(out, course->ShownOf(which));
    }
    return out.take();
}

bool PutBackRowFigures(TStrFrame& chart, std::string_view figures, const std::string& body) {
    std::vector<TOneCrsPanel::Shown> shown;
    if (!readAll(chart, figures, shown))
        return false;
    std::vector<StringRecord> before;
    size_t next = 0;
    for (const auto& course : chart.Courses)
        for (int which = 0; which < stringsOf(*course); ++which) {
            before.push_back(course->String(which).Rec);
            course->PutShown(which, shown[next++]);
        }
    // Figures of another body would show a document that its file does not hold.
    ByteWriter written;
    WriteDocumentBody(chart, written);
    if (!RowsAreSound(chart) || written.bytes() != body) {
        next = 0;
        for (const auto& course : chart.Courses)
            for (int which = 0; which < stringsOf(*course); ++which)
                course->String(which).Rec = before[next++];
        return false;
    }
    chart.NotifyRows(-1);
    chart.NotifyBridge();
    return true;
}

} // namespace vorn

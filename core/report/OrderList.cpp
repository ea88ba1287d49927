// SPDX-License-Identifier: GPL-3.0-or-later

#include "report/OrderList.h"

#include <algorithm>
#include <tuple>

#include "io/NumberText.h"
#include "pitch/Keys.h"
#include "strings/CatalogueLookup.h"

namespace vorn {

namespace {

OrderLine lineOf(const TOneStringPanel& s, const TStrFrame& chart, const OrderOptions& options) {
    const TStringMaterialCollection& materials = chart.Settings.Materials;
    OrderLine line;
    NoteValue note = s.Rec.Note; // naming may spell it
    line.Note = NoteName(note, ChartKey, false);
    line.Marks = MarksOf(s.Rec, materials);
    if (options.ByAlternative && s.Rec.IsCatalogue(materials)) {
        line.Supplier = s.Rec.AltChoice;
        line.Catalogue = true;
        line.Gauge = CatalogueStringName(s.Rec.AltLabel);
        line.SortGauge = s.Rec.CatalogueIndex;
    } else if (options.ByAlternative && s.Rec.AltDiameter) {
        line.Supplier = s.Rec.AltChoice;
        line.Gauge = s.AltText(materials);
        line.SortGauge = *s.Rec.AltDiameter;
    } else {
        line.Supplier = materials.Reference().Name;
        line.Gauge = s.GutDiameterText();
        line.SortGauge = s.Rec.GutDiameter;
    }
    return line;
}

// A CSV field, quoted when it holds a separator, a quote or a line end.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string padded(const std::string& text, size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string courseText(const OrderLine& line) {
    return std::to_string(line.Course) + (line.Octave ? " octave" : "");
}

} // namespace

std::string OrderBasisText(const OrderOptions& options) {
    return options.ByAlternative
               ? "Listed: each string's alternative (material or catalogue string)"
               : "Listed: gut strings";
}

std::vector<OrderLine> BuildOrderList(const TStrFrame& chart, const OrderOptions& options) {
    std::vector<OrderLine> lines;
    for (int i = 0; i < chart.CourseCount(); ++i) {
        const TOneCrsPanel& course = *chart.Courses[i];
        OrderLine first = lineOf(course.First, chart, options);
        first.Course = i + 1;
        first.Count = course.Kind == ck_unison ? 2 : 1;
        lines.push_back(std::move(first));
        if (course.HasSecond()) {
            OrderLine octave = lineOf(*course.Second, chart, options);
            octave.Course = i + 1;
            octave.Octave = true;
            lines.push_back(std::move(octave));
        }
    }
    const std::string reference = chart.Settings.Materials.Reference().Name;
    std::stable_sort(lines.begin(), lines.end(), [&](const OrderLine& a, const OrderLine& b) {
        return std::make_tuple(a.Supplier != reference, a.Supplier, a.SortGauge, a.Course,
                               a.Octave) < std::make_tuple(b.Supplier != reference, b.Supplier,
                                                           b.SortGauge, b.Course, b.Octave);
    });
    return lines;
}

std::string OrderListText(const std::string& title, const OrderOptions& options,
                          const std::vector<OrderLine>& lines) {
    std::string s = "String order: " + title + "\r\n" + OrderBasisText(options) + "\r\n";
    size_t width = 10;
    for (const OrderLine& line : lines)
        width = std::max(width, line.Gauge.size() + 3);
    for (size_t i = 0; i < lines.size(); ++i) {
        const OrderLine& line = lines[i];
        if (i == 0 || lines[i - 1].Supplier != line.Supplier) {
            s += "\r\n" + line.Supplier + "\r\n";
            s += "  " + padded(line.Catalogue ? "String" : "Gauge", width) + "Count  Course\r\n";
        }
        s += "  " + padded(line.Catalogue ? line.Gauge : line.Gauge + " mm", width) +
             WholeText(line.Count, 5) + "  " + courseText(line) + " (" + line.Note + ")";
        if (line.Marks.Any())
            s.append(1, ' ').append(line.Marks.Text());
        s += "\r\n";
    }
    std::vector<StringMarks> marks;
    for (const OrderLine& line : lines)
        marks.push_back(line.Marks);
    const std::vector<std::string> legend = MarkLegend(marks);
    if (!legend.empty())
        s += "\r\n";
    for (const std::string& note : legend)
        s += note + "\r\n";
    return s;
}

std::string OrderListCsv(const std::vector<OrderLine>& lines) {
    std::string s = "supplier,gauge,unit,count,course,string,note\n";
    for (const OrderLine& line : lines)
        s += csvField(line.Supplier) + "," + csvField(line.Gauge) + "," +
             (line.Catalogue ? "" : "mm") + "," + std::to_string(line.Count) + "," +
             std::to_string(line.Course) + "," + (line.Octave ? "octave" : "first") + "," +
             csvField(line.Note) + "\n";
    return s;
}

} // namespace vorn

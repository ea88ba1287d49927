// SPDX-License-Identifier: GPL-3.0-or-later

#include "report/ReportTables.h"

#include <cmath>

#include "io/Markup.h"
#include "io/NumberText.h"
#include "pitch/FretRecord.h"
#include "pitch/FretScale.h"
#include "pitch/Intervals.h"
#include "pitch/Keys.h"
#include "pitch/Temperaments.h"
#include "strings/StringPhysics.h"
#include "strings/StringWarnings.h"

namespace vorn {

namespace {

ReportCell cell(std::string attributes, const std::string& text, int span = 1) {
    return ReportCell{std::move(attributes), EscapeMarkup(text), text, span};
}

// A cell whose mark-up is given as is ("&nbsp;", "&quot;").
ReportCell markup(std::string attributes, std::string html, std::string text, int span = 1) {
    return ReportCell{std::move(attributes), std::move(html), std::move(text), span};
}

// The string cells of one string, after its first cell (course number or "octave n").
void stringCells(ReportRow& row, const TOneStringPanel& s, bool octave, const TStrFrame& chart,
                 char decimal) {
    const StringSettings& settings = chart.Settings;
    NoteValue note = s.Rec.Note;
    row.Cells.push_back(cell("", NoteName(note, ChartKey, false)));
    if (octave)
        row.Cells.push_back(markup("", "&quot;", "\""));
    else
        row.Cells.push_back(cell("", RoundedText(s.Rec.Length, settings.LengthDigits, decimal)));
    row.Cells.push_back(
        cell("", RoundedText(s.ShownTension(settings), settings.TensionDigits, decimal)));
    row.Cells.push_back(
        cell("", RoundedText(s.Rec.GutDiameter, settings.GutDiameterDigits, decimal)));
    const bool listed = s.AltIndex >= 0 && s.AltIndex < static_cast<int>(s.AltItems.size());
    row.Cells.push_back(cell("", listed ? s.AltItems[s.AltIndex] : s.Rec.AltChoice));
    // The alternative diameter, or a catalogue label whose tension is a number too; the
    // label's "kg." keeps its point.
    row.Cells.push_back(cell("", LocalDecimals(s.AltText(settings.Materials), {decimal})));
}

// A fret position: its distance from the nut with 2 decimals and the Mi/Fa mark.
// A fret of the scale the document is fretted by: its Mi or Fa where it has both (marked as the
// chart's own column is), else its one position.
std::string scaleFretText(const FretDistribution& frets, int fret, bool alternative, char decimal) {
    const FretRow& row = frets.Rows[fret - 1];
    const FretPositionInfo& shown = alternative && row.Alt ? *row.Alt : row.Main;
    std::string text = RoundedText(shown.Distance, -2, decimal);
    if (row.Alt)
        text += (row.Choice == fc_fa) == alternative ? " (Mi)" : " (Fa)";
    return text;
}

std::string fretText(const FretRecord& record, double fifth, int fret, bool alternative,
                     bool marked, char decimal) {
    const FretEntry e = record.Entry(fret);
    const int type = alternative ? AltType(e) : MainType(e);
    const long double cents = IntervalCents(type, fifth);
    const long double length = record.Length;
    std::string text = RoundedText(FretDistance(length, cents), -2, decimal);
    if (!marked)
        return text;
    if (e.Choice == fc_mi)
        text += alternative ? " (Fa)" : " (Mi)";
    else if (e.Choice == fc_fa)
        text += alternative ? " (Mi)" : " (Fa)";
    return text;
}

} // namespace

ReportTable StringChartTable(const std::string& title, const TStrFrame& chart, char decimal) {
    const TInstDataType& d = chart.Document;
    const std::string unit = TensionUnitSuffix(chart.Settings.TensionUnit);
    ReportTable t;
    t.Attributes = " width=\"704\" border=\"1\"";
    t.Columns = 7;

    ReportRow r1{{cell(" colspan=\"5\"", title, 5), cell(" colspan=\"2\"", "Vorn File", 2)}, true};
    ReportRow r2{{cell(" colspan=\"5\"", "Name: " + d.InstrumentName, 5)}, true};
    if (d.MakerName.empty())
        r2.Cells.push_back(markup(" colspan=\"2\"", "&nbsp;", "", 2));
    else
        r2.Cells.push_back(cell(" colspan=\"2\"", "Maker: " + d.MakerName, 2));
    const double pitch = std::nearbyint(static_cast<double>(d.APitch));
    const std::string pitchText = FixedText(std::isfinite(pitch) ? pitch : 0.0, 0);
    ReportRow r3{
        {cell(" colspan=\"3\"", "String Chart", 3),
         cell(" colspan=\"2\"", "Pitch: A = " + pitchText + "hz.", 2),
         cell(" colspan=\"2\"",
              "Bridge tension: " + RoundedText(chart.TotalTension(), -2, decimal) + " " + unit, 2)},
        true};
    ReportRow headings{
        {cell(" width=\"73\"", "String"), cell(" width=\"51\"", "Note"),
         cell(" width=\"59\"", "Length (cm.)"), cell(" width=\"62\"", "Tension (" + unit + ")"),
         cell(" width=\"91\"", "Gut Diameter"), cell(" width=\"114\"", "Alternative string"),
         cell(" width=\"208\"", "Alternative Diameter / Catalogue number")}};
    t.Rows = {r1, r2, r3, headings};

    // Paper shows no red: a string's marks follow its name, explained under the table.
    std::vector<StringMarks> marks;
    const auto nameCell = [&](const std::string& name, const TOneStringPanel& s) {
        marks.push_back(MarksOf(s.Rec, chart.Settings.Materials));
        return cell("", marks.back().Any() ? name + " " + marks.back().Text() : name);
    };
    for (int i = 0; i < chart.CourseCount(); ++i) {
        const TOneCrsPanel& course = *chart.Courses[i];
        const std::string number = std::to_string(i + 1);
        ReportRow first{{nameCell(number, course.First)}};
        stringCells(first, course.First, false, chart, decimal);
        t.Rows.push_back(std::move(first));
        if (course.HasSecond()) {
            ReportRow octave{{nameCell("octave " + number, *course.Second)}};
            stringCells(octave, *course.Second, true, chart, decimal);
            t.Rows.push_back(std::move(octave));
        }
    }
    t.Notes = MarkLegend(marks);
    return t;
}

ReportTable FretChartTable(const TStrFrame& chart, char decimal) {
    const TInstDataType& d = chart.Document;
    const double length = static_cast<double>(d.StringLength);
    FretRecord own;
    own.Length = length;
    own.OpenNote = NoteValue{60, 0, 0};
    own.Choices = d.FretMiFa;
    own.Prepare();
    FretRecord standard = own;
    standard.Choices = DefaultMiFa;
    standard.Prepare();
    const double fifth = TemperedFifth(d.CommaFraction);
    const double equalFifth = TemperedFifth(1.0 / 11.0);
    const double quarterFifth = TemperedFifth(1.0 / 4.0);

    ReportTable t;
    t.Attributes = " width=\"646\" border=\"1\"";
    t.Columns = 6;
    const std::string lengthText =
        RoundedText(d.StringLength, chart.Settings.LengthDigits, decimal) + " cm.";
    t.Rows.push_back(ReportRow{{cell(" colspan=\"6\" scope=\"col\"",
                                     "Fret Chart for " + lengthText + " string length.", 6)},
                               true});
    t.Rows.push_back(ReportRow{
        {markup(" width=\"34\" scope=\"col\"", "&nbsp;", ""),
         cell(" colspan=\"2\" scope=\"col\"", d.Scale ? d.Scale->Name : d.TemperamentName(), 2),
         cell(" width=\"113\" scope=\"col\"", "Equal"),
         cell(" colspan=\"2\" scope=\"col\"", "1/4 comma meantone", 2)}});
    t.Rows.push_back(ReportRow{{cell(" scope=\"col\"", "Fret"),
                                cell(" width=\"113\" scope=\"col\"", "Cm. from nut"),
                                cell(" width=\"113\" scope=\"col\"", "Alternative"),
                                cell(" scope=\"col\"", "Cm. from nut"),
                                cell(" width=\"113\" scope=\"col\"", "Cm. from nut"),
                                cell(" width=\"120\" scope=\"col\"", "Alternative")}});
    const bool byScale = d.Scale && IsUsableScale(*d.Scale);
    const FretDistribution scaleFrets =
        byScale ? ScaleFretDistribution(*d.Scale, NoteValue{60, 0, 0}, length, 1, d.FretMiFa)
                : FretDistribution{};
    for (int fret = 1; fret <= 12; ++fret) {
        t.Rows.push_back(ReportRow{{
            cell(" scope=\"row\"", std::to_string(fret)),
            cell("", byScale ? scaleFretText(scaleFrets, fret, false, decimal)
                             : fretText(own, fifth, fret, false, true, decimal)),
            cell("", byScale ? scaleFretText(scaleFrets, fret, true, decimal)
                             : fretText(own, fifth, fret, true, true, decimal)),
            cell("", fretText(standard, equalFifth, fret, false, false, decimal)),
            cell("", fretText(standard, quarterFifth, fret, false, true, decimal)),
            cell("", fretText(standard, quarterFifth, fret, true, true, decimal)),
        }});
    }
    return t;
}

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#include "CalcOutput.h"

#include <cmath>
#include <sstream>

#include "io/NameText.h"
#include "io/NumberText.h"
#include "pitch/Intervals.h"
#include "pitch/Keys.h"
#include "pitch/Temperaments.h"
#include "strings/StringWarnings.h"

namespace vorn::calc {

using nlohmann::ordered_json;

std::string JsonText(const ordered_json& j) {
    return j.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

std::string UnitOptionName(VornTensType unit) {
    switch (unit) {
    case tt_kilograms:
        return "kg";
    case tt_pounds:
        return "lb";
    default:
        return "N";
    }
}

double Shown(float value) {
    double v = 0;
    return ParseNumber(FormatShortest(value), v) ? v : static_cast<double>(value);
}

namespace {

std::string pad(const std::string& s, size_t width) {
    return s.size() >= width ? s : s + std::string(width - s.size(), ' ');
}

std::string padLeft(const std::string& s, size_t width) {
    return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

ordered_json marginJson(double margin) {
    const double shown = ShownBreakMargin(margin);
    return std::isfinite(shown) ? ordered_json(shown) : ordered_json();
}

// f·L and the margins to breaking, rounded as the chart's hint gives them.
void addBreaking(ordered_json& j, const StringRecord& row,
                 const TStringMaterialCollection& materials) {
    const BreakFigures figures = BreakingOf(row, materials);
    j["f_l"] = ShownFrequencyLength(figures.FL);
    j["gut_break_margin"] = marginJson(figures.GutMargin);
    j["alt_break_margin"] = figures.AltMargin ? marginJson(*figures.AltMargin) : ordered_json();
}

// The strings' marks on a line of their own, then what they mean; nothing when none warns.
void appendMarks(std::ostringstream& s, const std::vector<StringMarks>& marks) {
    const std::vector<std::string> legend = MarkLegend(marks);
    if (legend.empty())
        return;
    if (marks.size() == 1)
        s << "Marks          " << marks.front().Text() << "\n";
    s << "\n";
    for (const std::string& line : legend)
        s << line << "\n";
}

ordered_json positionJson(const FretPositionInfo& p) {
    return ordered_json{{"interval", p.IntervalName},
                        {"cents", p.Cents},
                        {"distance", p.Distance},
                        {"name", p.Name},
                        {"frequency", p.Frequency}};
}

} // namespace

ordered_json NoteJson(const NoteResult& r) {
    return ordered_json{{"number", r.Note.Number},
                        {"accidental", r.Note.Accidental},
                        {"name", r.Name},
                        {"short_name", r.ShortName},
                        {"frequency", r.Frequency}};
}

std::string NoteTable(const NoteResult& r) {
    std::ostringstream s;
    s << "Number      " << r.Note.Number << "\n"
      << "Accidental  " << int(r.Note.Accidental) << "\n"
      << "Name        " << r.Name << "\n"
      << "Short name  " << r.ShortName << "\n"
      << "Frequency   " << FixedText(r.Frequency, 3) << " Hz\n";
    return s.str();
}

ordered_json FretsJson(const FretDistribution& d, const std::string& temperament) {
    ordered_json frets = ordered_json::array();
    for (const FretRow& row : d.Rows) {
        frets.push_back(ordered_json{{"fret", row.Fret},
                                     {"choice", row.Choice},
                                     {"main", positionJson(row.Main)},
                                     {"alt", row.Alt ? positionJson(*row.Alt) : ordered_json()}});
    }
    return ordered_json{{"fifth", d.Fifth},
                        {"temperament", temperament},
                        {"open", {{"name", d.OpenName}, {"frequency", d.OpenFrequency}}},
                        {"frets", frets}};
}

namespace {

// The open string's line, the column heads and the fourteen rows.
void appendFretRows(std::ostringstream& s, const FretDistribution& d) {
    s << "Open string: " << d.OpenName << " (" << FixedText(d.OpenFrequency, 2) << " hz.)\n\n"
      << "Fret  Typ  Note            Position  Frequency   Alternative\n";
    for (const FretRow& row : d.Rows) {
        s << padLeft(std::to_string(row.Fret), 4) << "  " << pad(FretChoiceText(row.Choice), 3)
          << "  " << pad(row.Main.Name, 14) << FixedText(row.Main.Distance, 2, 8) << " cm"
          << FixedText(row.Main.Frequency, 2, 9) << " hz.";
        if (row.Alt) {
            s << "  " << pad(FretChoiceText(row.Choice == fc_fa ? fc_mi : fc_fa), 3)
              << pad(row.Alt->Name, 14) << FixedText(row.Alt->Distance, 2, 7) << " cm"
              << FixedText(row.Alt->Frequency, 2, 9) << " hz.";
        }
        s << "\n";
    }
}

} // namespace

std::string FretsTable(const FretDistribution& d, const std::string& temperament) {
    std::ostringstream s;
    s << "Temperament: " << temperament << "\n"
      << "Tempered fifth: " << FixedText(d.Fifth, 3) << " cents\n";
    appendFretRows(s, d);
    return s.str();
}

ordered_json ScaleFretsJson(const FretDistribution& d, const FretScale& scale) {
    ordered_json j = FretsJson(d, scale.Name);
    j["fifth"] = nullptr;
    j["source"] = scale.Source;
    j["remark"] = scale.Remark;
    return j;
}

std::string ScaleFretsTable(const FretDistribution& d, const FretScale& scale) {
    // A file's description and name may be any bytes.
    std::ostringstream s;
    s << "Scale: " << PrintableText(scale.Name) << "\n"
      << "Source: " << PrintableText(scale.Source) << "\n";
    if (!scale.Remark.empty())
        s << scale.Remark << "\n";
    appendFretRows(s, d);
    return s.str();
}

namespace {

const char* placementColour(uint8_t colour) {
    switch (colour) {
    case pl_mi:
        return "mi";
    case pl_fa:
        return "fa";
    default:
        return "nut";
    }
}

} // namespace

ordered_json PlacementJson(const TPlacementFrame& editor, uint8_t key) {
    ordered_json header = ordered_json::array();
    for (const PlacementHeader& h : editor.Header)
        header.push_back(ordered_json{
            {"fret", h.Fret}, {"state", h.State}, {"text", h.Text}, {"width", h.Width}});
    ordered_json courses = ordered_json::array();
    for (int c = 0; c < PlacementCourses; ++c) {
        ordered_json cells = ordered_json::array();
        for (int j = 0; j < PlacementColumns; ++j) {
            const PlacementCell& cell = editor.Cells[c][j];
            NoteValue note = cell.Note;
            cells.push_back(ordered_json{{"fret", j},
                                         {"number", note.Number},
                                         {"accidental", note.Accidental},
                                         {"name", NoteName(note, key, true)},
                                         {"colour", placementColour(cell.Colour)}});
        }
        courses.push_back(ordered_json{{"course", c + 1}, {"cells", cells}});
    }
    return ordered_json{
        {"key", key}, {"key_name", KeyName(key)}, {"header", header}, {"courses", courses}};
}

std::string PlacementTable(const TPlacementFrame& editor, uint8_t key) {
    constexpr size_t cellWidth = 8;
    constexpr size_t labelWidth = 10;
    auto line = [](std::string text) {
        text.erase(text.find_last_not_of(' ') + 1);
        return text + "\n";
    };
    std::string head = pad("Fret", labelWidth) + pad("Nut", cellWidth);
    for (const PlacementHeader& h : editor.Header)
        head += pad(h.Number + " " + h.Text, cellWidth);
    std::string s = "Key: " + editor.KeyLabel + "\n\n" + line(head);
    for (int c = 0; c < PlacementCourses; ++c) {
        std::string row = pad("Course " + std::to_string(c + 1), labelWidth);
        for (const PlacementCell& cell : editor.Cells[c]) {
            NoteValue note = cell.Note;
            row += pad(NoteName(note, key, false) + (cell.Colour == pl_fa ? "*" : ""), cellWidth);
        }
        s += line(row);
    }
    return s + "\n* Fa (diatonic semitone); the other fretted notes are Mi (chromatic semitone).\n";
}

ordered_json StringJson(const StringRecord& row, const StringSettings& settings) {
    const bool catalogue = row.IsCatalogue(settings.Materials);
    ordered_json j{
        {"frequency", row.Frequency},
        {"length", Shown(row.Length)},
        {"tension",
         Shown(ShownTension(row.TensionN, settings.TensionUnit, settings.TensionDigits))},
        {"unit", UnitOptionName(settings.TensionUnit)},
        {"gut_diameter", Shown(row.GutDiameter)},
        {"alternative", row.AltChoice},
        {"alt_text", row.AltText(settings.Materials)},
        {"catalogue_index", catalogue ? ordered_json(row.CatalogueIndex) : ordered_json()},
        {"limits",
         {{"tension", row.TensionLimit},
          {"gut_diameter", row.GutDiameterLimit},
          {"alternative", row.AltDiameterLimit}}}};
    addBreaking(j, row, settings.Materials);
    return j;
}

std::string StringTable(const StringRecord& row, const StringSettings& settings) {
    auto flag = [](LimitState s) {
        switch (s) {
        case ls_tension_high:
            return std::string("  (above the maximum tension)");
        case ls_tension_low:
            return std::string("  (below the minimum tension)");
        case ls_diameter_high:
            return std::string("  (above the maximum diameter)");
        case ls_diameter_low:
            return std::string("  (below the minimum diameter)");
        default:
            return std::string();
        }
    };
    const bool catalogue = row.IsCatalogue(settings.Materials);
    std::ostringstream s;
    s << "Frequency      " << FixedText(row.Frequency, 2) << " Hz.\n"
      << "Length         " << FormatShortest(row.Length) << " cm\n"
      << "Tension        "
      << FormatShortest(ShownTension(row.TensionN, settings.TensionUnit, settings.TensionDigits))
      << " " << TensionUnitSuffix(settings.TensionUnit) << flag(row.TensionLimit) << "\n"
      << "Gut diameter   " << FormatShortest(row.GutDiameter) << " mm" << flag(row.GutDiameterLimit)
      << "\n"
      << "Alternative    " << row.AltChoice << "\n"
      << (catalogue ? "Catalogue      " : "Alt. diameter  ") << row.AltText(settings.Materials)
      << (catalogue ? "" : " mm") << flag(row.AltDiameterLimit) << "\n";
    // The margins the chart's hints give, for gut and for a plain alternative.
    const TStringMaterialCollection& materials = settings.Materials;
    const BreakFigures figures = BreakingOf(row, materials);
    s << "f\u00B7L            " << FixedText(ShownFrequencyLength(figures.FL), 1) << " Hz\u00B7m\n";
    const TStringMaterialItem& gut = materials.Reference();
    if (std::isfinite(figures.GutMargin))
        s << "Gut margin     " << BreakingText(figures.GutMargin, gut.Name, gut.BreakingIndex)
          << "\n";
    if (figures.AltMargin && std::isfinite(*figures.AltMargin))
        s << "Alt. margin    "
          << BreakingText(*figures.AltMargin, row.AltChoice,
                          materials.BreakingIndexOf(row.AltChoice))
          << "\n";
    appendMarks(s, {MarksOf(row, materials)});
    return s.str();
}

namespace {

ordered_json rowStringJson(const TOneStringPanel& s, const StringSettings& settings) {
    const bool catalogue = s.Rec.IsCatalogue(settings.Materials);
    ordered_json j{
        {"name", s.NoteText()},
        {"number", s.Rec.Note.Number},
        {"accidental", s.Rec.Note.Accidental},
        {"frequency", s.Rec.Frequency},
        {"length", Shown(s.Rec.Length)},
        {"tension", Shown(s.ShownTension(settings))},
        {"gut_diameter", Shown(s.Rec.GutDiameter)},
        {"alternative", s.Rec.AltChoice},
        {"alt_text", s.AltText(settings.Materials)},
        {"catalogue_index", catalogue ? ordered_json(s.Rec.CatalogueIndex) : ordered_json()},
        {"limits",
         {{"tension", s.Rec.TensionLimit},
          {"gut_diameter", s.Rec.GutDiameterLimit},
          {"alternative", s.Rec.AltDiameterLimit}}}};
    addBreaking(j, s.Rec, settings.Materials);
    return j;
}

} // namespace

ordered_json ShowJson(const TFileFrame& frame) {
    const TInstDataType& d = frame.Document;
    ordered_json notes = ordered_json::array();
    for (const NoteValue& n : d.CourseNotes)
        notes.push_back({n.Number, n.Accidental, n.SpellingFixed});
    ordered_json kinds = ordered_json::array();
    for (uint8_t k : d.CourseKinds)
        kinds.push_back(k);
    ordered_json mifa = ordered_json::array();
    for (uint8_t c : d.FretMiFa)
        mifa.push_back(c);
    ordered_json header{{"legacy_byte", d.LegacyByte},
                        {"string_length", Shown(d.StringLength)},
                        {"second_string_length", Shown(d.SecondStringLength)},
                        {"a_pitch", Shown(d.APitch)},
                        {"temperament", d.Temperament},
                        {"comma_fraction", d.CommaFraction},
                        {"scale", d.Scale ? ordered_json{{"name", ValidUtf8(d.Scale->Name)},
                                                         {"source", ValidUtf8(d.Scale->Source)}}
                                          : ordered_json()},
                        {"second_length_from", d.SecondLengthFrom},
                        {"use_second_length", d.UseSecondLength},
                        {"course_count", d.CourseCount},
                        {"key", d.Key},
                        {"custom_placement", d.CustomPlacement},
                        {"instrument_name", ValidUtf8(d.InstrumentName)},
                        {"maker_name", ValidUtf8(d.MakerName)},
                        {"instrument_type", d.InstrumentType},
                        {"course_notes", notes},
                        {"course_kinds", kinds},
                        {"fret_mifa", mifa}};
    ordered_json courses = ordered_json::array();
    for (const auto& c : frame.Chart.Courses) {
        ordered_json strings = ordered_json::array();
        strings.push_back(rowStringJson(c->First, frame.Settings));
        if (c->HasSecond())
            strings.push_back(rowStringJson(*c->Second, frame.Settings));
        courses.push_back({{"number", c->Number}, {"kind", c->Kind}, {"strings", strings}});
    }
    return ordered_json{{"display_name", ValidUtf8(frame.DisplayName())},
                        {"bridge_tension", Shown(frame.TotalTension())},
                        {"unit", UnitOptionName(frame.Settings.TensionUnit)},
                        {"header", header},
                        {"courses", courses}};
}

std::string ShowTable(const TFileFrame& frame) {
    const TInstDataType& d = frame.Document;
    const auto& materials = frame.Settings.Materials;
    std::ostringstream s;
    s << PrintableText(frame.DisplayName()) << "\n"
      << PrintableText(d.InstrumentName)
      << (d.MakerName.empty() ? "" : ", " + PrintableText(d.MakerName)) << "; "
      << int(d.CourseCount) << " courses; A = " << FormatShortest(d.APitch) << " hz; "
      << d.TemperamentName()
      << (d.Scale ? "; frets: " + PrintableText(d.Scale->Name) + " (" +
                        PrintableText(d.Scale->Source) + ")"
                  : "")
      << "\n"
      << "Bridge tension: " << FormatShortest(frame.TotalTension()) << " "
      << TensionUnitSuffix(frame.Settings.TensionUnit) << "\n\n"
      << "Course  Type        Note          Frequency    Length  Tension  Gut Diam.  "
         "Alt. Material  Alt. Diameter\n";
    std::vector<StringMarks> marks;
    for (const auto& c : frame.Chart.Courses) {
        const auto items = c->TypeItems();
        const int sel = c->TypeSelection();
        for (int which = 0; which < (c->HasSecond() ? 2 : 1); ++which) {
            const TOneStringPanel& st = c->String(which);
            const std::string type =
                which == 1 ? "Octave" : (sel >= 0 && sel < int(items.size()) ? items[sel] : "");
            auto red = [](bool r) { return r ? "!" : " "; };
            marks.push_back(MarksOf(st.Rec, materials));
            const std::string breaking = marks.back().Breaking == bm_none
                                             ? ""
                                             : StringMarks{false, marks.back().Breaking}.Text();
            s << padLeft(which == 0 ? std::to_string(c->Number) : "", 6) << "  " << pad(type, 12)
              << pad(st.NoteText(), 14) << pad(st.FrequencyText(), 13)
              << padLeft(st.LengthText(), 6) << "  " << padLeft(st.TensionText(frame.Settings), 6)
              << red(st.TensionRed()) << "  " << padLeft(st.GutDiameterText(), 8)
              << red(st.GutDiameterRed()) << "  " << pad(st.Rec.AltChoice, 15)
              << st.AltText(materials) << red(st.AltDiameterRed())
              << (breaking.empty() ? "" : "  " + breaking) << "\n";
        }
    }
    appendMarks(s, marks);
    return s.str();
}

ordered_json LimitJson(const LimitResult& r) {
    ordered_json note;
    if (r.Note)
        note = {{"number", r.Note->Note.Number},
                {"name", r.Note->Name},
                {"frequency", r.Note->Frequency}};
    return ordered_json{{"material", r.Material},
                        {"index", r.Index},
                        {"length", r.Length},
                        {"margin", r.Margin},
                        {"max_frequency", r.MaxFrequency},
                        {"note", note}};
}

std::string LimitTable(const LimitResult& r) {
    const char* semitones = r.Margin == 1 ? " semitone" : " semitones";
    std::ostringstream s;
    s << "Material       " << r.Material << " (breaking index " << GeneralText(r.Index, 15)
      << " Hz\u00B7m)\n"
      << "Length         " << GeneralText(r.Length, 15) << " cm\n"
      << "Margin         " << GeneralText(r.Margin, 15) << semitones << "\n"
      << "Highest        " << FixedText(r.MaxFrequency, 2) << " Hz.\n"
      << "Note           "
      << (r.Note ? r.Note->Name + " (" + std::to_string(r.Note->Note.Number) + "), " +
                       FixedText(r.Note->Frequency, 2) + " Hz."
                 : std::string("none that low"))
      << "\n";
    return s.str();
}

ordered_json CatalogueJson(const std::string& label, int index) {
    return ordered_json{{"label", label}, {"index", index}};
}

std::string CatalogueTable(const std::string& name, const std::string& label, int index) {
    std::ostringstream s;
    s << name << " entry " << index << ": " << label << "\n";
    return s.str();
}

} // namespace vorn::calc

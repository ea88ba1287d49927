// SPDX-License-Identifier: GPL-3.0-or-later

#include "frets/FretTemplate.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "io/Markup.h"
#include "io/NumberText.h"
#include "pitch/FretRecord.h"

namespace vorn {

namespace {

constexpr double TitleHeight = 22; // mm of title block above the board
constexpr double RulerHeight = 16; // mm below the board
constexpr double BoardWidth = TemplateBoardWidth;
constexpr double PastLastFret = 15; // mm of board drawn beyond fret 14

TemplateShape line(double x1, double y1, double x2, double y2, double width, std::string role,
                   int fret = 0, bool dashed = false) {
    TemplateShape s;
    s.Shape = TemplateShape::ts_line;
    s.X1 = x1;
    s.Y1 = y1;
    s.X2 = x2;
    s.Y2 = y2;
    s.Width = width;
    s.Role = std::move(role);
    s.Fret = fret;
    s.Dashed = dashed;
    return s;
}

TemplateShape text(double x, double y, std::string t, double size, std::string role, int fret = 0) {
    TemplateShape s;
    s.Shape = TemplateShape::ts_text;
    s.X1 = x;
    s.Y1 = y;
    s.Text = std::move(t);
    s.Size = size;
    s.Role = std::move(role);
    s.Fret = fret;
    return s;
}

// Advance widths of DejaVu Sans in em, rounded up into a few classes; anything outside ASCII
// counts a whole em.
double advance(unsigned char c) {
    if (c == ' ')
        return 0.32;
    if (c >= 0x80)
        return (c & 0xC0) == 0x80 ? 0 : 1.0; // a UTF-8 sequence is one character
    const std::string_view narrow = "ijlIJ.,:;'|!", slim = "frt()/-[]", wide = "mwMW%@";
    if (narrow.find(char(c)) != std::string_view::npos)
        return 0.34;
    if (slim.find(char(c)) != std::string_view::npos)
        return 0.44;
    if (wide.find(char(c)) != std::string_view::npos)
        return 1.0;
    return c >= 'A' && c <= 'Z' ? 0.80 : 0.66;
}

// Clearance kept between a label and anything else, mm.
constexpr double LabelClearance = 0.5;

// The label at the smallest vertical shift that clears every shape placed so far, kept within
// the page's margins; left where it is only if no such place exists.
TemplateShape clearOf(TemplateShape label, const std::vector<TemplateShape>& placed,
                      const TemplatePaper& paper) {
    const TemplateBox box = ShapeBox(label);
    std::vector<TemplateBox> near;
    for (const TemplateShape& s : placed) {
        const TemplateBox b = ShapeBox(s);
        if (b.X1 < box.X2 + LabelClearance && box.X1 - LabelClearance < b.X2)
            near.push_back(b);
    }
    std::vector<double> shifts{0};
    for (const TemplateBox& b : near) {
        shifts.push_back(b.Y2 + LabelClearance - box.Y1);
        shifts.push_back(b.Y1 - LabelClearance - box.Y2);
    }
    std::stable_sort(shifts.begin(), shifts.end(),
                     [](double a, double b) { return std::abs(a) < std::abs(b); });
    for (const double dy : shifts) {
        const TemplateBox moved{box.X1 - LabelClearance, box.Y1 + dy - LabelClearance,
                                box.X2 + LabelClearance, box.Y2 + dy + LabelClearance};
        if (moved.Y1 < TemplateMargin || moved.Y2 > paper.Height - TemplateMargin)
            continue;
        if (std::none_of(near.begin(), near.end(),
                         [&](const TemplateBox& b) { return b.Overlaps(moved); })) {
            label.Y1 += dy;
            return label;
        }
    }
    return label;
}

} // namespace

TemplateBox ShapeBox(const TemplateShape& s) {
    if (s.Shape == TemplateShape::ts_text) {
        double width = 0;
        for (const char c : s.Text)
            width += advance(static_cast<unsigned char>(c));
        // Caps, digits and the dot of an i above the baseline; descenders below.
        return {s.X1, s.Y1 - 0.8 * s.Size, s.X1 + width * s.Size, s.Y1 + 0.25 * s.Size};
    }
    const double half = s.Width / 2;
    return {std::min(s.X1, s.X2) - half, std::min(s.Y1, s.Y2) - half, std::max(s.X1, s.X2) + half,
            std::max(s.Y1, s.Y2) + half};
}

namespace {

// mm of board drawn: the farthest fret drawn and a little beyond.
double BoardLength(const TemplateInput& in) {
    double last = 0;
    for (const FretRow& row : in.Frets.Rows) {
        for (const double at :
             {row.Main.Distance * 10, row.Alt && in.Alternatives ? row.Alt->Distance * 10 : 0.0}) {
            if (!std::isfinite(at))
                return at; // nothing to draw a board by
            last = std::max(last, at);
        }
    }
    return last + PastLastFret;
}

// The title block over the board: document, temperament, pitch, length and page number.
void addTitleBlock(std::vector<TemplateShape>& shapes, const TemplateInput& in,
                   const TemplatePage& page, double boardTop) {
    const TemplatePaper& paper = in.Paper;
    shapes.push_back(
        text(TemplateMargin, TemplateMargin + 5, "Fret template: " + in.Title, 4.2, "title"));
    shapes.push_back(text(TemplateMargin, TemplateMargin + 11,
                          in.Temperament + "   A = " + FixedText(in.APitch, 0) + " Hz   " +
                              "string length " + FixedText(in.Length, 2) + " cm   1:1",
                          3.2, "title"));
    shapes.push_back(text(paper.Width - TemplateMargin - 22, TemplateMargin + 5,
                          std::to_string(page.Number) + " of " + std::to_string(page.Count), 4.2,
                          "page"));
    shapes.push_back(line(TemplateMargin, boardTop - 4, paper.Width - TemplateMargin, boardTop - 4,
                          0.2, "rule"));
}

// Where consecutive pages meet: both show the shared band's two ends.
void addAlignMarks(std::vector<TemplateShape>& shapes, const TemplatePage& page, double left,
                   double right, double boardTop) {
    const auto y = [&](double mm) { return boardTop + mm - page.Start; };
    if (page.Number < page.Count) {
        const double a = page.End - TemplateOverlap;
        shapes.push_back(line(left - 10, y(a), right + 10, y(a), 0.2, "align", 0, true));
        shapes.push_back(
            line(left - 10, y(page.End), right + 10, y(page.End), 0.2, "align", 0, true));
        shapes.push_back(text(right + 12, y(a) + 1,
                              "align with page " + std::to_string(page.Number + 1), 2.6, "align"));
    }
    if (page.Number > 1) {
        shapes.push_back(
            line(left - 10, y(page.Start), right + 10, y(page.Start), 0.2, "align", 0, true));
        shapes.push_back(line(left - 10, y(page.Start + TemplateOverlap), right + 10,
                              y(page.Start + TemplateOverlap), 0.2, "align", 0, true));
        shapes.push_back(text(right + 12, y(page.Start) + 1,
                              "align with page " + std::to_string(page.Number - 1), 2.6, "align"));
    }
}

// The ruler: 100 mm with centimetre ticks, to check the printer kept the scale.
void addRuler(std::vector<TemplateShape>& shapes, const TemplatePaper& paper) {
    const double ry = paper.Height - TemplateMargin - 6;
    const double rx = TemplateMargin;
    shapes.push_back(line(rx, ry, rx + TemplateRuler, ry, 0.3, "ruler"));
    for (int cm = 0; cm <= 10; ++cm) {
        const double tick = cm % 5 == 0 ? 4 : 2.5;
        shapes.push_back(line(rx + cm * 10, ry - tick, rx + cm * 10, ry, 0.25, "ruler-tick"));
    }
    shapes.push_back(text(rx + TemplateRuler + 3, ry + 1,
                          "100 mm: measure this to check the print is at 100%", 2.8, "ruler"));
}

} // namespace

bool AlternativeDrawn(const FretRow& row, bool alternatives) {
    // NaN distances count as apart: the page count refuses them before anything is drawn.
    return alternatives && row.Alt &&
           !(std::abs(row.Alt->Distance - row.Main.Distance) * 10 < TemplatePrecision);
}

int TemplatePageCount(const TemplateInput& in) {
    const double span = in.Paper.Height - 2 * TemplateMargin - TitleHeight - RulerHeight;
    const double total = BoardLength(in);
    if (!std::isfinite(total) || !(span > TemplateOverlap))
        return 0;
    if (total <= span)
        return 1;
    // Counted in double: a damaged length must not overflow the page number.
    const double more = std::ceil((total - span) / (span - TemplateOverlap));
    return more >= MaxTemplatePages ? MaxTemplatePages + 1 : 1 + static_cast<int>(more);
}

TemplateInput TemplateOf(const TFretFrorm& page, const std::string& title, bool alternatives,
                         const TemplatePaper& paper) {
    const TInstDataType& d = *page.Document();
    TemplateInput in;
    in.Frets = page.Distribution;
    in.Temperament = d.Scale ? d.Scale->Name : TemperamentShortName(d.Temperament, d.CommaFraction);
    in.Title = title;
    in.APitch = d.APitch;
    in.Length = d.StringLength;
    in.Alternatives = alternatives;
    in.Paper = paper;
    return in;
}

std::string TemplateRefusal(const TemplateInput& in) {
    const int count = TemplatePageCount(in);
    if (count == 0)
        return "The fret positions of this document cannot be drawn.";
    if (count > MaxTemplatePages) {
        std::string text = "The fingerboard of this document is too long for a fret template: "
                           "it would need more than ";
        return text.append(std::to_string(MaxTemplatePages)).append(" pages.");
    }
    return {};
}

std::vector<TemplatePage> LayoutFretTemplate(const TemplateInput& in) {
    const int count = TemplatePageCount(in);
    if (count < 1 || count > MaxTemplatePages)
        return {};
    const TemplatePaper& paper = in.Paper;
    const double boardTop = TemplateMargin + TitleHeight;
    const double boardBottom = paper.Height - TemplateMargin - RulerHeight;
    const double span = boardBottom - boardTop;
    const double left = (paper.Width - BoardWidth) / 2;
    const double right = left + BoardWidth;
    const double total = BoardLength(in);

    std::vector<TemplatePage> pages;
    for (int p = 0; p < count; ++p) {
        TemplatePage page;
        page.Number = p + 1;
        page.Count = count;
        page.Start = p * (span - TemplateOverlap);
        page.End = page.Start + span;
        auto& shapes = page.Shapes;
        const auto y = [&](double mm) { return boardTop + mm - page.Start; };
        const auto shown = [&](double mm) {
            return mm >= page.Start - 1e-9 && mm <= page.End + 1e-9;
        };

        addTitleBlock(shapes, in, page, boardTop);

        // The board's edges over what this page shows.
        const double from = std::max(0.0, page.Start);
        const double to = std::min(total, page.End);
        shapes.push_back(line(left, y(from), left, y(to), 0.3, "edge"));
        shapes.push_back(line(right, y(from), right, y(to), 0.3, "edge"));
        if (shown(0))
            shapes.push_back(line(left - 4, y(0), right + 4, y(0), 1.2, "nut"));

        // Labels go down last, each clear of everything else on the page.
        std::vector<TemplateShape> labels;
        for (const FretRow& row : in.Frets.Rows) {
            const double at = row.Main.Distance * 10;
            if (shown(at)) {
                shapes.push_back(line(left, y(at), right, y(at), 0.35, "fret", row.Fret));
                std::string label = std::to_string(row.Fret);
                const std::string mark = FretChoiceText(row.Choice);
                if (!mark.empty())
                    label += " " + mark;
                labels.push_back(text(right + 3, y(at) + 1.2, label, 3.2, "fret-label", row.Fret));
            }
            if (AlternativeDrawn(row, in.Alternatives)) {
                const double alt = row.Alt->Distance * 10;
                if (shown(alt)) {
                    shapes.push_back(
                        line(left, y(alt), right, y(alt), 0.25, "alt", row.Fret, true));
                    const std::string mark = FretChoiceText(row.Choice == fc_fa ? fc_mi : fc_fa);
                    labels.push_back(text(left - 16, y(alt) + 1.2,
                                          std::to_string(row.Fret) + " " + mark, 3.0, "alt-label",
                                          row.Fret));
                }
            }
        }

        addAlignMarks(shapes, page, left, right, boardTop);
        addRuler(shapes, paper);
        for (TemplateShape& label : labels)
            shapes.push_back(clearOf(std::move(label), shapes, paper));
        pages.push_back(std::move(page));
    }
    return pages;
}

std::string FretTemplateSvg(const std::vector<TemplatePage>& pages, const TemplatePaper& paper) {
    const double gap = 10;
    const double height = pages.size() * paper.Height + (pages.size() - 1) * gap;
    std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    s += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + FixedText(paper.Width, 3) +
         "mm\" height=\"" + FixedText(height, 3) + "mm\" viewBox=\"0 0 " +
         FixedText(paper.Width, 3) + " " + FixedText(height, 3) + "\">\n";
    for (size_t i = 0; i < pages.size(); ++i) {
        const TemplatePage& page = pages[i];
        const double top = i * (paper.Height + gap);
        s += "<g class=\"page\" data-page=\"" + std::to_string(page.Number) + "\" data-start=\"" +
             FixedText(page.Start, 4) + "\" data-end=\"" + FixedText(page.End, 4) +
             "\" transform=\"translate(0 " + FixedText(top, 3) + ")\">\n";
        s += "<rect x=\"0\" y=\"0\" width=\"" + FixedText(paper.Width, 3) + "\" height=\"" +
             FixedText(paper.Height, 3) +
             "\" fill=\"white\" stroke=\"#bbbbbb\" stroke-width=\"0.2\"/>\n";
        for (const TemplateShape& shape : page.Shapes) {
            const std::string data =
                " class=\"" + shape.Role + "\"" +
                (shape.Fret ? " data-fret=\"" + std::to_string(shape.Fret) + "\"" : std::string());
            if (shape.Shape == TemplateShape::ts_line) {
                s += "<line" + data + " x1=\"" + FixedText(shape.X1, 4) + "\" y1=\"" +
                     FixedText(shape.Y1, 4) + "\" x2=\"" + FixedText(shape.X2, 4) + "\" y2=\"" +
                     FixedText(shape.Y2, 4) + "\" stroke=\"black\" stroke-width=\"" +
                     FixedText(shape.Width, 2) + "\"" +
                     (shape.Dashed ? " stroke-dasharray=\"2 1.2\"" : "") + "/>\n";
            } else if (shape.Shape == TemplateShape::ts_text) {
                s += "<text" + data + " x=\"" + FixedText(shape.X1, 3) + "\" y=\"" +
                     FixedText(shape.Y1, 3) + "\" font-family=\"sans-serif\" font-size=\"" +
                     FixedText(shape.Size, 2) + "\">" + EscapeMarkup(shape.Text) + "</text>\n";
            } else {
                s += "<rect" + data + " x=\"" + FixedText(shape.X1, 3) + "\" y=\"" +
                     FixedText(shape.Y1, 3) + "\" width=\"" + FixedText(shape.X2 - shape.X1, 3) +
                     "\" height=\"" + FixedText(shape.Y2 - shape.Y1, 3) +
                     "\" fill=\"none\" stroke=\"black\"/>\n";
            }
        }
        s += "</g>\n";
    }
    return s + "</svg>\n";
}

std::vector<LayoutLine> FretLayoutLines(const TemplateInput& in) {
    if (!TemplateRefusal(in).empty())
        return {};
    std::vector<LayoutLine> lines;
    const auto across = [&](LayoutLine::Layer layer, int fret, double at) {
        lines.push_back({layer, fret, at, 0, at, BoardWidth});
    };
    across(LayoutLine::ll_fret, 0, 0);
    for (const FretRow& row : in.Frets.Rows)
        across(LayoutLine::ll_fret, row.Fret, row.Main.Distance * 10);
    for (const FretRow& row : in.Frets.Rows)
        if (AlternativeDrawn(row, in.Alternatives))
            across(LayoutLine::ll_alternative, row.Fret, row.Alt->Distance * 10);
    const double total = BoardLength(in);
    lines.push_back({LayoutLine::ll_board, 0, 0, 0, total, 0});
    lines.push_back({LayoutLine::ll_board, 0, 0, BoardWidth, total, BoardWidth});
    return lines;
}

std::string FretTemplateCsv(const TemplateInput& in) {
    std::string s = "fret,choice,main_cents,main_mm,alt_cents,alt_mm\n";
    for (const FretRow& row : in.Frets.Rows) {
        const bool alt = AlternativeDrawn(row, in.Alternatives);
        s += std::to_string(row.Fret) + "," + (row.Alt ? FretChoiceText(row.Choice) : "fixed") +
             "," + FixedText(row.Main.Cents, 3) + "," + FixedText(row.Main.Distance * 10, 3) + "," +
             (alt ? FixedText(row.Alt->Cents, 3) : "") + "," +
             (alt ? FixedText(row.Alt->Distance * 10, 3) : "") + "\n";
    }
    return s;
}

} // namespace vorn

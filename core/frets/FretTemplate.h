// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A full-scale fret template: the fingerboard of the top string at 1:1, frets 1..14 where the
// Fret Chart puts them, tiled over as many pages as the length needs, each page with a title
// block and a 100 mm ruler to check the print scale. Drawn as a list of shapes in millimetres
// that the SVG writer here and the PDF painter both render.

#include <string>
#include <vector>

#include "frets/FretFrorm.h"
#include "pitch/FretDistribution.h"

namespace vorn {

struct TemplatePaper {
    double Width = 210;  // mm, portrait
    double Height = 297; // mm
    static TemplatePaper A4() { return {210, 297}; }
    static TemplatePaper Letter() { return {215.9, 279.4}; }
};

struct TemplateShape {
    enum Kind : int { ts_line, ts_text, ts_rect };
    Kind Shape = ts_line;
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0; // mm on the page; a rect is (X1, Y1) to (X2, Y2)
    double Width = 0.2;                    // line width, mm
    bool Dashed = false;
    std::string Text; // ts_text: drawn with its left baseline at (X1, Y1)
    double Size = 3;  // text height, mm
    std::string Role; // what the shape is, for readers of the SVG: "fret", "alt", "nut", "ruler"...
    int Fret = 0;     // frets and their labels
};

// The room a shape takes on the page, mm: a line with its width, a text as DejaVu Sans (the
// face both renderers use) sets it, estimated a little generously.
struct TemplateBox {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0; // top left to bottom right
    bool Overlaps(const TemplateBox& other) const {
        return X1 < other.X2 && other.X1 < X2 && Y1 < other.Y2 && other.Y1 < Y2;
    }
};
TemplateBox ShapeBox(const TemplateShape& shape);

struct TemplatePage {
    int Number = 1; // 1-based
    int Count = 1;
    double Start = 0; // mm from the nut shown at the page's board top
    double End = 0;   // mm from the nut at the board bottom
    std::vector<TemplateShape> Shapes;
};

struct TemplateInput {
    FretDistribution Frets;  // the top string's, as the Fret Chart computes it (cm)
    std::string Temperament; // its name
    std::string Title;       // the document's name
    double APitch = 440;     // Hz
    double Length = 60;      // cm
    bool Alternatives = true;
    TemplatePaper Paper;
};

// Geometry of every page. The board runs down the page from the nut; consecutive pages share
// Overlap mm, marked on both. A fret's label sits beside its line, moved up or down as little
// as needed to clear every other shape (page-join marks and their text above all).
constexpr double TemplateMargin = 12;  // mm
constexpr double TemplateOverlap = 10; // mm
constexpr double TemplateRuler = 100;  // mm
// The most pages a template is drawn on. The longest board a document can have (a 120 cm
// string, fret 14 at 66.5 cm) takes 3 pages of A4 and 4 of Letter; a board twice that long
// can only come from a damaged file, and drawing it would fill the disk or the printer.
constexpr int MaxTemplatePages = 8;
// The template of what a bound Fret Chart page shows, under the document's name `title`.
TemplateInput TemplateOf(const TFretFrorm& page, const std::string& title, bool alternatives,
                         const TemplatePaper& paper);

// Two fret lines closer than this are one cut (mm): below what any drawing or saw holds.
constexpr double TemplatePrecision = 0.01;
// Whether a fret's alternative position gets a line of its own in every drawing and the CSV:
// alternatives asked for, the fret has one, and it lies apart from the main position. On some
// frets (5, 7, 12 and 14, or a Mi equal to its Fa) the two fall together, and a second line
// there would make a cutter cut the slot twice.
bool AlternativeDrawn(const FretRow& row, bool alternatives);

// Pages the board needs on the paper; 0 when its distances are not numbers.
int TemplatePageCount(const TemplateInput& input);
// Why the template cannot be drawn, or empty when it can.
std::string TemplateRefusal(const TemplateInput& input);
// No pages for a board TemplateRefusal refuses.
std::vector<TemplatePage> LayoutFretTemplate(const TemplateInput& input);

// The pages as one SVG document in millimetres, one page below the other.
std::string FretTemplateSvg(const std::vector<TemplatePage>& pages, const TemplatePaper& paper);

// The board as one piece at 1:1 for a CAD program, not tiled: X along the string from the nut
// (X = 0) to past the last fret drawn, Y across the board (0 to TemplateBoardWidth), in mm.
struct LayoutLine {
    enum Layer : int { ll_fret, ll_alternative, ll_board };
    Layer Kind = ll_fret;
    int Fret = 0; // 0 for the nut and the board's edges
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};
constexpr double TemplateBoardWidth = 56; // mm
// The nut and every main fret, then the alternatives drawn (AlternativeDrawn), then the two
// edges.
// Empty for a board TemplateRefusal refuses.
std::vector<LayoutLine> FretLayoutLines(const TemplateInput& input);

// One line per fret 1..14 under the header "fret,choice,main_cents,main_mm,alt_cents,alt_mm":
// choice Mi, Fa or fixed; cents above the open string and mm from the nut with 3 decimals and
// '.'; the alternative's fields empty for a fixed fret, one on its main position, or when
// alternatives are left out.
// LF line ends.
std::string FretTemplateCsv(const TemplateInput& input);

} // namespace vorn

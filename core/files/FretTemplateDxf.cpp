// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/FretTemplateDxf.h"

#include <dxflib/dl_dxf.h>
#include <dxflib/dl_writer_ascii.h>

#include "io/NumberText.h"

namespace vorn {

namespace {

// dxflib's ASCII writer, but into memory and with our number texts: its own goes to a file
// by name (no atomic replace) and formats reals with sprintf, which follows the C locale.
class MemoryDxfWriter : public DL_WriterA {
public:
    // The base opens no file: an empty name leaves its stream closed, and every write below
    // goes to text_ instead.
    MemoryDxfWriter() : DL_WriterA("", DL_Codes::AC1009) {}

    void dxfReal(int gc, double value) const override {
        // Six decimals as dxflib writes R12: a micrometre is 0.001 mm.
        pair(gc, FixedText(value, 6));
    }
    void dxfInt(int gc, int value) const override { pair(gc, WholeText(value)); }
    void dxfHex(int gc, int value) const override {
        static const char digits[] = "0123456789ABCDEF";
        std::string hex;
        auto v = static_cast<unsigned>(value);
        do {
            hex.insert(hex.begin(), digits[v % 16]);
            v /= 16;
        } while (v);
        pair(gc, hex);
    }
    void dxfString(int gc, const char* value) const override { pair(gc, value); }
    void dxfString(int gc, const std::string& value) const override { pair(gc, value); }

    const std::string& Text() const { return text_; }

private:
    // Group codes right-aligned in three places, as AutoCAD writes them.
    void pair(int gc, const std::string& value) const {
        text_ += WholeText(gc, 3) + "\n" + value + "\n";
    }
    mutable std::string text_;
};

// Colours in AutoCAD's index: frets white/black, alternatives red, board blue.
int layerColour(LayoutLine::Layer layer) {
    switch (layer) {
    case LayoutLine::ll_fret:
        return 7;
    case LayoutLine::ll_alternative:
        return 1;
    default:
        return 5;
    }
}

} // namespace

std::string LayoutLayerName(LayoutLine::Layer layer) {
    switch (layer) {
    case LayoutLine::ll_fret:
        return "FRETS";
    case LayoutLine::ll_alternative:
        return "ALTERNATIVES";
    default:
        return "BOARD";
    }
}

std::string FretTemplateDxf(const std::vector<LayoutLine>& lines, const std::string& title) {
    DL_Dxf dxf;
    // out() alone sets the release the entity writers follow; given no name it opens nothing
    // and hands back no writer of its own.
    if (DL_WriterA* unused = dxf.out("", DL_Codes::AC1009))
        delete unused;
    MemoryDxfWriter w;
    // A comment holds one line of text.
    std::string comment = "Fret layout: " + title;
    for (char& c : comment)
        if (c == '\n' || c == '\r')
            c = ' ';
    dxf.writeComment(w, comment);

    dxf.writeHeader(w);
    // Millimetres, for the readers that look (R12 itself has no unit).
    w.dxfString(9, "$INSUNITS");
    w.dxfInt(70, 4);
    w.dxfString(9, "$MEASUREMENT");
    w.dxfInt(70, 1);
    w.sectionEnd();

    w.sectionTables();
    w.tableLinetypes(1);
    dxf.writeLinetype(w, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    w.tableEnd();
    std::vector<LayoutLine::Layer> layers = {LayoutLine::ll_fret, LayoutLine::ll_board};
    for (const LayoutLine& line : lines)
        if (line.Kind == LayoutLine::ll_alternative) {
            layers.insert(layers.begin() + 1, LayoutLine::ll_alternative);
            break;
        }
    w.tableLayers(static_cast<int>(layers.size()) + 1);
    dxf.writeLayer(w, DL_LayerData("0", 0),
                   DL_Attributes("", DL_Codes::black, 0, "CONTINUOUS", 1.0));
    for (const LayoutLine::Layer layer : layers)
        dxf.writeLayer(w, DL_LayerData(LayoutLayerName(layer), 0),
                       DL_Attributes("", layerColour(layer), 0, "CONTINUOUS", 1.0));
    w.tableEnd();
    w.sectionEnd();

    w.sectionEntities();
    for (const LayoutLine& line : lines)
        dxf.writeLine(w, DL_LineData(line.X1, line.Y1, 0, line.X2, line.Y2, 0),
                      DL_Attributes(LayoutLayerName(line.Kind), 256, 0, "BYLAYER", 1.0));
    w.sectionEnd();
    w.dxfEOF();
    return w.Text();
}

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The accidental glyphs of the note display, shared by every panel of the process.

#include <QString>

#include <array>
#include <memory>

class QPainter;
class QRectF;
class QSvgRenderer;

namespace vorn {

enum class TNoteGlyph {
    None = 0,
    SharpSign,  // "sharpsign"
    FlatSign,   // "flatsign"
    WhiteSharp, // "whitesharp", for inverted panels
    WhiteFlat,  // "whiteflat", for inverted panels
};

class TGlyphStore {
public:
    // The process-wide store; the first call loads the glyphs from the program's resources.
    static TGlyphStore& Instance();

    // Reloads from another folder holding sharp.svg, flat.svg, sharp-white.svg and
    // flat-white.svg (an empty folder name means the program's resources). Files that are
    // missing or unreadable leave their glyph unavailable.
    void Load(const QString& folder = QString());
    // Drops every glyph; panels then paint only background and bevel.
    void Release();

    // True when the two black glyphs are available: without them nothing is drawn.
    bool Loaded() const;
    bool Has(TNoteGlyph glyph) const;
    // Stretches the glyph into box; false when it is not available.
    bool Render(TNoteGlyph glyph, QPainter& painter, const QRectF& box) const;

    ~TGlyphStore();
    TGlyphStore(const TGlyphStore&) = delete;
    TGlyphStore& operator=(const TGlyphStore&) = delete;

private:
    TGlyphStore();
    std::array<std::unique_ptr<QSvgRenderer>, 5> glyphs_;
};

} // namespace vorn

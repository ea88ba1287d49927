// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/GlyphStore.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

// Resources of a static library stay out of the link unless something names them.
static void initVornResources() {
    Q_INIT_RESOURCE(vorn);
}

namespace vorn {

namespace {

const char* fileName(TNoteGlyph glyph) {
    switch (glyph) {
    case TNoteGlyph::SharpSign:
        return "sharp.svg";
    case TNoteGlyph::FlatSign:
        return "flat.svg";
    case TNoteGlyph::WhiteSharp:
        return "sharp-white.svg";
    case TNoteGlyph::WhiteFlat:
        return "flat-white.svg";
    case TNoteGlyph::None:
        break;
    }
    return nullptr;
}

} // namespace

TGlyphStore::TGlyphStore() {
    initVornResources();
    Load();
}
TGlyphStore::~TGlyphStore() = default;

TGlyphStore& TGlyphStore::Instance() {
    static TGlyphStore store;
    return store;
}

void TGlyphStore::Load(const QString& folder) {
    const QString base = folder.isEmpty() ? QStringLiteral(":/glyphs/") : folder + u'/';
    for (std::size_t i = 1; i < glyphs_.size(); ++i) {
        glyphs_[i].reset();
        const QString path = base + QLatin1String(fileName(static_cast<TNoteGlyph>(i)));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        auto renderer = std::make_unique<QSvgRenderer>(file.readAll());
        if (renderer->isValid())
            glyphs_[i] = std::move(renderer);
    }
}

void TGlyphStore::Release() {
    for (auto& glyph : glyphs_)
        glyph.reset();
}

bool TGlyphStore::Loaded() const {
    return Has(TNoteGlyph::SharpSign) && Has(TNoteGlyph::FlatSign);
}

bool TGlyphStore::Has(TNoteGlyph glyph) const {
    const auto i = static_cast<std::size_t>(glyph);
    return i > 0 && i < glyphs_.size() && glyphs_[i] != nullptr;
}

bool TGlyphStore::Render(TNoteGlyph glyph, QPainter& painter, const QRectF& box) const {
    if (!Has(glyph))
        return false;
    glyphs_[static_cast<std::size_t>(glyph)]->render(&painter, box);
    return true;
}

} // namespace vorn

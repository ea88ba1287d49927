// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The small panel that writes one note: letter, accidental glyph and octave digit.

#include <QFrame>
#include <QPoint>
#include <QRectF>
#include <QString>

#include "pitch/Keys.h"
#include "pitch/NoteValue.h"
#include "widgets/GlyphStore.h"

namespace vorn {

// Everything one paint of a TNotePanel draws, in widget coordinates; y is the top of the text.
struct TNoteLayout {
    QString letter; // "a", "C"; empty when nothing is drawn
    QPoint letterPos;
    TNoteGlyph glyph = TNoteGlyph::None; // flat for both flat kinds, sharp for a sharp
    QRectF glyphBox;                     // the first glyph's; a second sits one width right
    int glyphCount = 0;                  // 2 for a double flat
    QString accidentalText;              // "x" for a double sharp
    QPoint accidentalTextPos;
    QString octaveDigit; // "" in the two central octaves
    QPoint octaveDigitPos;
    int right = 0; // x just past the last thing drawn
};

class TNotePanel : public QFrame {
    Q_OBJECT
public:
    explicit TNotePanel(QWidget* parent = nullptr);

    const NoteValue& Note() const { return note_; }
    // Keeps a copy and repaints.
    void SetNote(const NoteValue& note);
    // Key index used to spell the note (7: C major).
    uint8_t Key() const { return key_; }
    void SetKey(uint8_t key);
    // Letter case and octave digit from the octave of the letter, for notes spelled by
    // interval (c-flat above b takes the digit of c1).
    bool OctaveByLetter() const { return octaveByLetter_; }
    void SetOctaveByLetter(bool byLetter);
    // White letter and white glyphs, for dark (selected) backgrounds.
    bool Inverted() const { return inverted_; }
    void SetInverted(bool inverted);

    // Geometry: left offset of the drawing (px), letter and digit sizes (pt), width and bottom
    // of the glyph box (px). Defaults 10, 10, 8, 10, 18.
    int TextOffset() const { return textOffset_; }
    void SetTextOffset(int pixels);
    int LetterSize() const { return letterSize_; }
    void SetLetterSize(int points);
    int OctaveSize() const { return octaveSize_; }
    void SetOctaveSize(int points);
    int GlyphWidth() const { return glyphWidth_; }
    void SetGlyphWidth(int pixels);
    int GlyphHeight() const { return glyphHeight_; }
    void SetGlyphHeight(int pixels);

    // Narrows the offset, then the glyphs, then the fonts until the whole name fits `width`
    // pixels; starts again from the defaults each time.
    void FitWidth(int width);

    // What the next paint draws; the painter uses exactly this.
    TNoteLayout Layout() const;
    QString letterText() const { return Layout().letter; }
    TNoteGlyph accidentalGlyph() const { return Layout().glyph; }
    QString accidentalText() const { return Layout().accidentalText; }
    QString octaveDigit() const { return Layout().octaveDigit; }

    QSize sizeHint() const override { return {30, 17}; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QFont letterFont() const;
    QFont octaveFont() const;
    void refreshDescription();

    NoteValue note_;
    uint8_t key_ = DefaultKey;
    bool inverted_ = false;
    bool octaveByLetter_ = false;
    static constexpr int DefaultTextOffset = 10;
    static constexpr int DefaultLetterSize = 10;
    static constexpr int DefaultOctaveSize = 8;
    static constexpr int DefaultGlyphWidth = 10;
    int textOffset_ = DefaultTextOffset;
    int letterSize_ = DefaultLetterSize;
    int octaveSize_ = DefaultOctaveSize;
    int glyphWidth_ = DefaultGlyphWidth;
    int glyphHeight_ = 18;
    bool pressed_ = false;
};

} // namespace vorn

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
    QRectF glyphBox;
    QString accidentalText; // "x" for a double sharp
    QPoint accidentalTextPos;
    QString octaveDigit; // "" in the two central octaves
    QPoint octaveDigitPos;
};

class TNotePanel : public QFrame {
    Q_OBJECT
public:
    explicit TNotePanel(QWidget* parent = nullptr);

    const NoteValue& Note() const { return m_note; }
    // Keeps a copy and repaints.
    void SetNote(const NoteValue& note);
    // Key index used to spell the note (7: C major).
    uint8_t Key() const { return m_key; }
    void SetKey(uint8_t key);
    // White letter and white glyphs, for dark (selected) backgrounds.
    bool Inverted() const { return m_inverted; }
    void SetInverted(bool inverted);

    // Geometry: left offset of the drawing (px), letter and digit sizes (pt), width and bottom
    // of the glyph box (px). Defaults 10, 10, 8, 10, 18.
    int TextOffset() const { return m_textOffset; }
    void SetTextOffset(int pixels);
    int LetterSize() const { return m_letterSize; }
    void SetLetterSize(int points);
    int OctaveSize() const { return m_octaveSize; }
    void SetOctaveSize(int points);
    int GlyphWidth() const { return m_glyphWidth; }
    void SetGlyphWidth(int pixels);
    int GlyphHeight() const { return m_glyphHeight; }
    void SetGlyphHeight(int pixels);

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

    NoteValue m_note;
    uint8_t m_key = DefaultKey;
    bool m_inverted = false;
    int m_textOffset = 10;
    int m_letterSize = 10;
    int m_octaveSize = 8;
    int m_glyphWidth = 10;
    int m_glyphHeight = 18;
    bool m_pressed = false;
};

} // namespace vorn

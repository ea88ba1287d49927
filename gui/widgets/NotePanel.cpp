// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/NotePanel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace vorn {

namespace {

// Pixels between an accidental sign and the octave digit after it.
constexpr int GlyphGap = 2;

// Digits count octaves away from the two central ones (48..71), which have none.
QString octaveDigitFor(int octave) {
    switch (octave) {
    case -1:
        return QStringLiteral("4");
    case 0:
        return QStringLiteral("3");
    case 1:
        return QStringLiteral("2");
    case 2:
        return QStringLiteral("1");
    case 5:
        return QStringLiteral("1");
    case 6:
        return QStringLiteral("2");
    case 7:
        return QStringLiteral("3");
    case 8:
        return QStringLiteral("4");
    case 9:
        return QStringLiteral("5");
    default:
        return {};
    }
}

} // namespace

TNotePanel::TNotePanel(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("Note"));
    refreshDescription();
}

void TNotePanel::SetNote(const NoteValue& note) {
    // Pages set every note again on each change: an unchanged one needs no paint.
    if (note == note_)
        return;
    note_ = note;
    refreshDescription();
    update();
}

void TNotePanel::SetKey(uint8_t key) {
    key_ = key;
    refreshDescription();
    update();
}

void TNotePanel::SetOctaveByLetter(bool byLetter) {
    octaveByLetter_ = byLetter;
    refreshDescription();
    update();
}

void TNotePanel::SetInverted(bool inverted) {
    if (inverted_ == inverted)
        return;
    inverted_ = inverted;
    update();
}

void TNotePanel::SetTextOffset(int pixels) {
    textOffset_ = pixels;
    update();
}

void TNotePanel::SetLetterSize(int points) {
    letterSize_ = points;
    update();
}

void TNotePanel::SetOctaveSize(int points) {
    octaveSize_ = points;
    update();
}

void TNotePanel::SetGlyphWidth(int pixels) {
    glyphWidth_ = pixels;
    update();
}

void TNotePanel::SetGlyphHeight(int pixels) {
    glyphHeight_ = pixels;
    update();
}

QFont TNotePanel::letterFont() const {
    QFont f = font();
    f.setPointSize(qMax(1, letterSize_));
    return f;
}

QFont TNotePanel::octaveFont() const {
    QFont f = font();
    f.setPointSize(qMax(1, octaveSize_));
    return f;
}

void TNotePanel::refreshDescription() {
    NoteValue copy = note_;
    setAccessibleDescription(QString::fromStdString(
        octaveByLetter_ ? LetterNoteName(copy, key_, true) : NoteName(copy, key_, true)));
}

TNoteLayout TNotePanel::Layout() const {
    TNoteLayout out;
    const TGlyphStore& glyphs = TGlyphStore::Instance();
    if (!glyphs.Loaded())
        return out;

    // Spelling repairs the number and may set the accidental: work on a copy.
    NoteValue note = note_;
    const char letter = SpellLetter(note, key_);
    const int octave = octaveByLetter_ ? LetterOctaveOf(note, key_) : OctaveOf(note);
    out.letter = QString(QChar::fromLatin1(letter));
    if (octaveByLetter_)
        out.letter = octave >= 4 ? out.letter.toLower() : out.letter.toUpper();
    out.letterPos = QPoint(textOffset_ + 1, 0);
    const QFontMetrics letterMetrics(letterFont(), this);
    int b = letterMetrics.horizontalAdvance(out.letter) + 1;

    switch (note.Accidental) {
    case acc_double_flat:
    case acc_flat:
    case acc_sharp: {
        const bool flat = note.Accidental != acc_sharp;
        const TNoteGlyph white = flat ? TNoteGlyph::WhiteFlat : TNoteGlyph::WhiteSharp;
        const TNoteGlyph black = flat ? TNoteGlyph::FlatSign : TNoteGlyph::SharpSign;
        out.glyph = inverted_ && glyphs.Has(white) ? white : black;
        const int left = textOffset_ + b + 1;
        const int right = textOffset_ + b + glyphWidth_;
        out.glyphBox = QRectF(left, 1, right - left, glyphHeight_ - 1);
        // Fret notes reach double flats (e-double flat over c): one flat would name another note.
        // The signs fill their box to its edge: the octave digit keeps clear of them.
        out.glyphCount = note.Accidental == acc_double_flat ? 2 : 1;
        b += glyphWidth_ * out.glyphCount + GlyphGap;
        break;
    }
    case acc_double_sharp:
        out.accidentalText = QStringLiteral("x");
        out.accidentalTextPos = QPoint(textOffset_ + b + 1, 0);
        b += letterMetrics.horizontalAdvance(out.accidentalText) + 2;
        break;
    default:
        break;
    }

    out.octaveDigit = octaveDigitFor(octave);
    out.octaveDigitPos = QPoint(textOffset_ + b, 0);
    out.right = textOffset_ + b;
    if (!out.octaveDigit.isEmpty())
        out.right += QFontMetrics(octaveFont(), this).horizontalAdvance(out.octaveDigit);
    return out;
}

void TNotePanel::FitWidth(int width) {
    textOffset_ = DefaultTextOffset;
    glyphWidth_ = DefaultGlyphWidth;
    letterSize_ = DefaultLetterSize;
    octaveSize_ = DefaultOctaveSize;
    for (int excess = Layout().right - width; excess > 0; excess = Layout().right - width) {
        if (textOffset_ > 1)
            textOffset_ = qMax(1, textOffset_ - excess);
        else if (glyphWidth_ > 6)
            --glyphWidth_;
        else if (letterSize_ > 6) {
            --letterSize_;
            octaveSize_ = qMax(5, octaveSize_ - 1);
        } else
            break;
    }
    update();
}

void TNotePanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    const TNoteLayout layout = Layout();
    if (layout.letter.isEmpty())
        return;

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(inverted_ ? Qt::white : Qt::black);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
    auto drawAt = [&](const QPoint& at, const QString& text) {
        painter.drawText(QRect(at, QSize(width(), height())), flags, text);
    };

    painter.setFont(letterFont());
    drawAt(layout.letterPos, layout.letter);
    for (int i = 0; i < layout.glyphCount; ++i)
        TGlyphStore::Instance().Render(layout.glyph, painter,
                                       layout.glyphBox.translated(i * glyphWidth_, 0));
    if (!layout.accidentalText.isEmpty())
        drawAt(layout.accidentalTextPos, layout.accidentalText);
    if (!layout.octaveDigit.isEmpty()) {
        painter.setFont(octaveFont());
        drawAt(layout.octaveDigitPos, layout.octaveDigit);
    }
}

void TNotePanel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void TNotePanel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (!click)
        return;
    emit clicked();
    // An owner drawn in a colour of its own (the current row) takes the focus with the click.
    QWidget* owner = parentWidget();
    if (owner && owner->palette().color(owner->backgroundRole()) !=
                     QApplication::palette().color(QPalette::Base))
        owner->setFocus(Qt::MouseFocusReason);
}

} // namespace vorn

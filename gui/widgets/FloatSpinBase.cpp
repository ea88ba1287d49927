// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/FloatSpinBase.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QStyle>

#include <cmath>

#include "widgets/LocalNumbers.h"
#include "widgets/SpinButton.h"
#include "widgets/TypedNumber.h"

namespace vorn {

namespace {

// QLineEdit's own "no limit".
constexpr int UnlimitedLength = 32767;

} // namespace

TFloatSpinBase::TFloatSpinBase(double increment, const QString& initialText, QWidget* parent)
    : QLineEdit(initialText, parent), button_(new TSpinButton(this)), increment_(increment) {
    button_->setAccessibleName(QStringLiteral("Up/down"));
    connect(button_, &TSpinButton::upClick, this, [this] {
        setFocus(Qt::MouseFocusReason);
        Step(1);
    });
    connect(button_, &TSpinButton::downClick, this, [this] {
        setFocus(Qt::MouseFocusReason);
        Step(-1);
    });
    setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    setMinimumHeight(EntryMinimumHeight(this));
    Relayout();
}

void TFloatSpinBase::SetEditorEnabled(bool enabled) {
    editorEnabled_ = enabled;
    syncEditable();
}

void TFloatSpinBase::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    syncEditable();
}

void TFloatSpinBase::syncEditable() {
    // QLineEdit's read-only state blocks typing, cut, paste, undo and drops in one place.
    QLineEdit::setReadOnly(readOnly_ || !editorEnabled_);
}

void TFloatSpinBase::SetMaxLength(int chars) {
    // QLineEdit sets its text again for any limit, which repaints the cell: the chart asks for
    // the same limit each time it shows a figure.
    const int limit = qMax(0, chars);
    if (limit == maxChars_ && maxLength() == (limit == 0 ? UnlimitedLength : limit))
        return;
    maxChars_ = limit;
    QLineEdit::setMaxLength(maxChars_ == 0 ? UnlimitedLength : maxChars_);
}

bool TFloatSpinBase::ButtonVisible() const {
    return !button_->isHidden();
}

void TFloatSpinBase::SetButtonVisible(bool visible) {
    button_->setVisible(visible);
    Relayout();
}

double TFloatSpinBase::GetValue() const {
    return ReadTypedNumber(text()).value_or(minValue_);
}

double TFloatSpinBase::Clamp(double x) const {
    if (ClampsNegative() && !allowNegative_ && (x < 0 || std::isnan(x)))
        x = 0;
    if (maxValue_ != minValue_) {
        if (x < minValue_)
            x = minValue_;
        else if (x > maxValue_)
            x = maxValue_;
    }
    // Nothing above catches a NaN or infinity without a range; never show one.
    if (!std::isfinite(x))
        x = minValue_;
    return x;
}

void TFloatSpinBase::SetValue(double x) {
    // 15 significant digits hide binary noise: 0.3 + 0.1 shows "0.4".
    setText(LocalNumbers(QString::number(Clamp(x), 'g', 15)));
}

void TFloatSpinBase::SpinUp() {
    if (readOnly_) {
        Refuse();
        return;
    }
    SetValue(GetValue() + increment_);
}

void TFloatSpinBase::SpinDown() {
    if (readOnly_) {
        Refuse();
        return;
    }
    SetValue(GetValue() - increment_);
}

void TFloatSpinBase::Step(int direction) {
    if (direction > 0)
        SpinUp();
    else
        SpinDown();
}

void TFloatSpinBase::Refuse() {
    QApplication::beep();
    emit inputRejected();
}

bool TFloatSpinBase::acceptsCharacter(QChar c) const {
    if (c.unicode() < 32) {
        if (c == u'\b')
            return editorEnabled_;
        return true;
    }
    if (AcceptsAnyCharacter())
        return true;
    if (!editorEnabled_)
        return false;
    return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || IsDecimalSeparator(c);
}

void TFloatSpinBase::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        // Ctrl+arrows belong to the owner (moving between cells).
        if (mods & Qt::ControlModifier) {
            event->ignore();
            return;
        }
        Step(key == Qt::Key_Up ? 1 : -1);
        event->accept();
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (NormalisesOnEnter())
            SetValue(GetValue());
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Ctrl+letter combinations are editing commands, not typed characters; AltGr
    // (Ctrl+Alt on some systems) types characters and is filtered.
    const bool command = (mods & Qt::ControlModifier) && !(mods & Qt::AltModifier);
    const QString typed = event->text();
    if (!command && !typed.isEmpty()) {
        for (const QChar c : typed) {
            if (c.unicode() == 127) // Delete is a key, not a character
                continue;
            if (!acceptsCharacter(c)) {
                Refuse();
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TFloatSpinBase::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Arriving by keyboard or by program selects the text, ready to be typed over.
    if (event->reason() != Qt::MouseFocusReason && QApplication::mouseButtons() == Qt::NoButton)
        selectAll();
}

void TFloatSpinBase::focusOutEvent(QFocusEvent* event) {
    // A context menu or another window taking over is not leaving the control.
    const bool leaving =
        event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
    if (leaving && NormalisesOnFocusOut())
        SetValue(GetValue());
    QLineEdit::focusOutEvent(event);
}

void TFloatSpinBase::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    Relayout();
}

void TFloatSpinBase::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        setMinimumHeight(EntryMinimumHeight(this));
        Relayout();
    }
}

void TFloatSpinBase::Relayout() {
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int buttonWidth = ButtonVisible() ? TSpinButton::ButtonWidth : 0;
    const int buttonHeight = qMin(TSpinButton::ButtonHeight, qMax(0, height() - 2 * frame));
    const int buttonLeft = width() - frame - buttonWidth;
    button_->setGeometry(buttonLeft, (height() - buttonHeight) / 2, TSpinButton::ButtonWidth,
                         buttonHeight);
    const int trailing = TrailingWidth();
    PlaceTrailing(QRect(buttonLeft - trailing, frame, trailing, qMax(0, height() - 2 * frame)));
    setTextMargins(0, 0, buttonWidth + trailing, 0);
}

QSize TFloatSpinBase::sizeHint() const {
    QSize size = QLineEdit::sizeHint();
    size.setHeight(qMax(size.height(), EntryMinimumHeight(this)));
    return size;
}

QSize TFloatSpinBase::minimumSizeHint() const {
    QSize size = QLineEdit::minimumSizeHint();
    size.setHeight(EntryMinimumHeight(this));
    return size;
}

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/NoteSpinEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QStyle>

#include "widgets/NotePanel.h"
#include "widgets/SpinButton.h"

namespace vorn {

namespace {
constexpr int Gap = 2; // between the text and the display or the button
} // namespace

TNoteSpinEdit::TNoteSpinEdit(QWidget* parent)
    : QLineEdit(parent), panel_(new TNotePanel(this)), button_(new TSpinButton(this)) {
    setReadOnly(true);
    setAccessibleName(QStringLiteral("Note and frequency"));
    button_->setAccessibleName(QStringLiteral("Up/down"));
    // The display sits on the text's colour, so a selected row colours both.
    panel_->setBackgroundRole(QPalette::Base);
    // At the default offset of 10 a sign and an octave digit run past the 30 pixels.
    panel_->SetTextOffset(3);
    connect(button_, &TSpinButton::upClick, this, [this] {
        setFocus(Qt::MouseFocusReason);
        emit stepUp();
    });
    connect(button_, &TSpinButton::downClick, this, [this] {
        setFocus(Qt::MouseFocusReason);
        emit stepDown();
    });
    // The frequency may be wider than the cell: keep its start in view rather than its end.
    connect(this, &QLineEdit::textChanged, this, [this] { setCursorPosition(0); });
    setMinimumHeight(EntryMinimumHeight(this));
    relayout();
}

const NoteValue& TNoteSpinEdit::Note() const {
    return panel_->Note();
}

void TNoteSpinEdit::SetNote(const NoteValue& note) {
    panel_->SetNote(note);
}

bool TNoteSpinEdit::ButtonVisible() const {
    return !button_->isHidden();
}

void TNoteSpinEdit::SetButtonVisible(bool visible) {
    button_->setVisible(visible);
    relayout();
}

void TNoteSpinEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        // Ctrl+arrows belong to the owner (moving between cells).
        if (event->modifiers() & Qt::ControlModifier) {
            event->ignore();
            return;
        }
        if (key == Qt::Key_Up)
            emit stepUp();
        else
            emit stepDown();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TNoteSpinEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (event->reason() != Qt::MouseFocusReason && QApplication::mouseButtons() == Qt::NoButton)
        setSelection(text().size(), -text().size());
}

void TNoteSpinEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    relayout();
}

void TNoteSpinEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        setMinimumHeight(EntryMinimumHeight(this));
        relayout();
    }
}

void TNoteSpinEdit::relayout() {
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int inner = qMax(0, height() - 2 * frame);
    const int panelHeight = qMin(PanelHeight, inner);
    panel_->setGeometry(frame, (height() - panelHeight) / 2, PanelWidth, panelHeight);
    const int buttonWidth = ButtonVisible() ? TSpinButton::ButtonWidth : 0;
    const int buttonHeight = qMin(TSpinButton::ButtonHeight, inner);
    button_->setGeometry(width() - frame - TSpinButton::ButtonWidth, (height() - buttonHeight) / 2,
                         TSpinButton::ButtonWidth, buttonHeight);
    setTextMargins(PanelWidth + Gap, 0, buttonWidth + (buttonWidth > 0 ? Gap : 0), 0);
}

QSize TNoteSpinEdit::sizeHint() const {
    QSize size = QLineEdit::sizeHint();
    size.setHeight(qMax(size.height(), EntryMinimumHeight(this)));
    return size;
}

QSize TNoteSpinEdit::minimumSizeHint() const {
    QSize size = QLineEdit::minimumSizeHint();
    size.setHeight(EntryMinimumHeight(this));
    return size;
}

} // namespace vorn

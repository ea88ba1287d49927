// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Note entry: the note display at the left, a read-only text (the owner writes the frequency)
// and a spin button at the right. It never changes the note itself.

#include <QLineEdit>

#include "pitch/NoteValue.h"

namespace vorn {

class TNotePanel;
class TSpinButton;

class TNoteSpinEdit : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int PanelWidth = 30;
    static constexpr int PanelHeight = 17;

    explicit TNoteSpinEdit(QWidget* parent = nullptr);

    const NoteValue& Note() const;
    // Shows the note in the display; the text stays as the owner set it.
    void SetNote(const NoteValue& note);
    // The display itself, for owners that invert it or change its key.
    TNotePanel* NotePanel() const { return panel_; }

    bool ButtonVisible() const;
    void SetButtonVisible(bool visible);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Spin button halves and the Up/Down keys (without Ctrl).
    void stepUp();
    void stepDown();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void relayout();

    TNotePanel* panel_;
    TSpinButton* button_;
};

} // namespace vorn

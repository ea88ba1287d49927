// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A message box wide enough for its whole title: Qt sizes the box by its text alone, so a
// short text under the window manager's "Oops! — Vorn" left the title cut.

#include <QMessageBox>

namespace vorn {

class TFittedMessageBox : public QMessageBox {
    Q_OBJECT
public:
    TFittedMessageBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons,
                      QWidget* parent = nullptr);

    // A modal box of this kind, as QMessageBox's static functions show one: the button
    // pressed.
    static StandardButton Ask(QWidget* parent, Icon icon, const QString& title, const QString& text,
                              StandardButtons buttons = Ok);

    // Width (px) the title needs in a title bar: the text as the window manager shows it
    // (with the program's name), the window buttons and margins.
    int TitleWidth() const;
};

} // namespace vorn

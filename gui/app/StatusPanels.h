// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The main window's status bar: seven panels of fixed width (sound state, note, frequency,
// family, bridge tension, pitch, temperament) and the note display over panel 1.

#include <QStatusBar>

#include <array>

class QLabel;

namespace vorn {

class TNotePanel;

class TStatusPanels : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int PanelCount = 7;
    static constexpr std::array<int, PanelCount> Widths{50, 30, 50, 100, 100, 100, 200};

    explicit TStatusPanels(QWidget* parent = nullptr);

    QString Text(int index) const;
    void SetText(int index, const QString& text);
    QLabel* Panel(int index) const { return panels_.at(index); }
    // The width given in Widths; the document panels grow beyond it when the font is too
    // wide for their longest texts, and the last panel takes the rest of the bar.
    int PanelWidth(int index) const;
    TNotePanel* NoteDisplay() const { return note_; }

    // The description of the control under the pointer, over the sound panels while it is
    // not empty; their own texts come back when it is.
    void ShowHint(const QString& hint);
    QString Hint() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void place();

    std::array<QLabel*, PanelCount> panels_{};
    QLabel* hint_;
    TNotePanel* note_;
};

} // namespace vorn

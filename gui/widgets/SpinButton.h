// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The small up/down button pair at the right edge of the entry controls.

#include <QTimer>
#include <QWidget>

class QPainter;

namespace vorn {

class TSpinButton : public QWidget {
    Q_OBJECT
public:
    static constexpr int ButtonWidth = 15;
    static constexpr int ButtonHeight = 17;

    explicit TSpinButton(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {ButtonWidth, ButtonHeight}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // Once per press, then repeated while the half stays pressed.
    void upClick();
    void downClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Both halves as the style draws them, into painter over the button's own rectangle.
    void drawButtons(QPainter& painter);
    void fire();
    void stop();

    int pressed_ = 0; // +1 upper half, -1 lower half
    QTimer repeat_;
};

// Lowest height of an entry control for its font: the text height, a quarter of the smaller of
// the system and control font heights, four thin borders and 2 pixels.
int EntryMinimumHeight(const QWidget* control);

} // namespace vorn

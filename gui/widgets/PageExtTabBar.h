// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The tab bar of TPageExtControl: draws the tabs in their pages' colours with a close glyph at
// each tab's end, and turns presses into close requests or tab clicks.

#include <QTabBar>

namespace vorn {

class TPageExtControl;
struct TTabColors;

class TPageExtTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit TPageExtTabBar(TPageExtControl* control);

    // The close button of a tab in bar coordinates: a 12 x 12 box 4 pixels before the tab's
    // end, or the last 20 pixels of the tab without the small button. Empty for a bad index.
    QRect CloseBox(int index) const;
    // The active tab's glyph while the pointer is over it.
    bool CloseGlyphHot() const { return hot_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool vertical() const;
    void paintTab(QPainter& painter, int index);
    void paintCloseGlyph(QPainter& painter, int index, const QColor& fill);
    void setHot(bool hot);

    TPageExtControl* control_;
    bool hot_ = false;
    int dragFrom_ = -1; // tab being dragged, -1 when none
    QPoint pressPos_;
    bool dragging_ = false;
};

} // namespace vorn

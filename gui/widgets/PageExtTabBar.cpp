// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/PageExtTabBar.h"

#include <QApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionTab>

#include "widgets/PageExtControl.h"

namespace vorn {

namespace {
constexpr int CloseSize = 12;    // the small close box
constexpr int CloseMargin = 4;   // between the box and the tab's end
constexpr int CloseStrip = 20;   // the end of the tab that is the large button
constexpr int ImageGap = 5;      // between a tab's image and its caption
constexpr int InactiveShift = 2; // an inactive caption sits this much away from the pane
} // namespace

TPageExtTabBar::TPageExtTabBar(TPageExtControl* control) : QTabBar(control), control_(control) {
    setMouseTracking(true);
    setDrawBase(false);
}

bool TPageExtTabBar::vertical() const {
    switch (shape()) {
    case RoundedWest:
    case RoundedEast:
    case TriangularWest:
    case TriangularEast:
        return true;
    default:
        return false;
    }
}

QRect TPageExtTabBar::CloseBox(int index) const {
    const QRect tab = tabRect(index);
    if (!tab.isValid())
        return {};
    const bool west = shape() == RoundedWest || shape() == TriangularWest;
    if (!control_->SmallCloseBtn()) {
        if (!vertical())
            return {tab.x() + tab.width() - CloseStrip, tab.y(), CloseStrip, tab.height()};
        // Side tabs end where their rotated caption ends: at the top on the left side.
        return west ? QRect(tab.x(), tab.y(), tab.width(), CloseStrip)
                    : QRect(tab.x(), tab.y() + tab.height() - CloseStrip, tab.width(), CloseStrip);
    }
    if (!vertical()) {
        const int end = tab.x() + tab.width();
        const int left = qMax(tab.x(), end - CloseMargin - CloseSize);
        const int top = tab.y() + (tab.height() - CloseSize) / 2;
        return {left, top, CloseSize, CloseSize};
    }
    const int left = tab.x() + (tab.width() - CloseSize) / 2;
    const int end = tab.y() + tab.height();
    const int top = west ? qMin(tab.y() + CloseMargin, end - CloseSize)
                         : qMax(tab.y(), end - CloseMargin - CloseSize);
    return {left, top, CloseSize, CloseSize};
}

void TPageExtTabBar::paintEvent(QPaintEvent* event) {
    if (!control_->OwnerDraw()) {
        QTabBar::paintEvent(event);
        // Without the glyph the close box would be an invisible button.
        if (control_->CloseBtn()) {
            QPainter painter(this);
            for (int i = 0; i < count(); ++i) {
                if (isTabVisible(i))
                    paintCloseGlyph(painter, i, QColor());
            }
        }
        return;
    }
    QPainter painter(this);
    // The active tab last, so that its frame overlaps its neighbours as the style expects.
    for (int i = 0; i < count(); ++i) {
        if (i != currentIndex() && isTabVisible(i))
            paintTab(painter, i);
    }
    if (currentIndex() >= 0 && isTabVisible(currentIndex()))
        paintTab(painter, currentIndex());
}

void TPageExtTabBar::paintTab(QPainter& painter, int index) {
    QStyleOptionTab option;
    initStyleOption(&option, index);
    const bool active = index == currentIndex();
    const TTabExtSheet* sheet = control_->Page(index);
    const TTabColors colors =
        sheet ? sheet->Colors() : TTabColors::FromPalette(QApplication::palette());

    painter.save();
    style()->drawControl(QStyle::CE_TabBarTabShape, &option, &painter, this);

    // Inside the native frame.
    const QRect fillRect = option.rect.adjusted(1, 1, -1, -1);
    const QColor fill = active ? colors.ActiveFill1 : colors.InActivefill1;
    if (control_->TabFillGradient() && !control_->HotTrack()) {
        QLinearGradient gradient(fillRect.topLeft(),
                                 vertical() ? fillRect.topRight() : fillRect.bottomLeft());
        gradient.setColorAt(0, active ? colors.ActiveFill1 : colors.InActivefill2);
        gradient.setColorAt(1, active ? colors.ActiveFill2 : colors.InActivefill1);
        painter.fillRect(fillRect, gradient);
    } else {
        painter.fillRect(fillRect, fill);
    }

    // Caption and image in a frame where the tab lies horizontally.
    QRect area = option.rect;
    const bool west = shape() == RoundedWest || shape() == TriangularWest;
    if (vertical()) {
        const QPoint centre = area.center();
        painter.translate(centre.x() + 1, centre.y() + 1);
        painter.rotate(west ? -90 : 90);
        area = QRect(-area.height() / 2, -area.width() / 2, area.height(), area.width());
    }
    int shift = 0;
    if (!active) {
        if (shape() == RoundedNorth || shape() == TriangularNorth)
            shift = InactiveShift;
        else if (shape() == RoundedSouth || shape() == TriangularSouth)
            shift = -InactiveShift;
    }
    area.translate(0, shift);
    if (!option.icon.isNull()) {
        const QSize size = iconSize();
        const QRect imageRect(area.x() + ImageGap, area.y() + (area.height() - size.height()) / 2,
                              size.width(), size.height());
        option.icon.paint(&painter, imageRect);
        area.setLeft(area.left() + size.width() + ImageGap);
    }
    painter.setFont(sheet ? sheet->font() : font());
    painter.setPen(active ? colors.ActiveFontColor : colors.InActiveFontColor);
    painter.drawText(area, Qt::AlignCenter | Qt::TextShowMnemonic, tabText(index));
    painter.restore();

    if (control_->CloseBtn())
        paintCloseGlyph(painter, index, fill);
}

void TPageExtTabBar::paintCloseGlyph(QPainter& painter, int index, const QColor& fill) {
    const QRect box = CloseBox(index);
    if (box.isEmpty())
        return;
    const QRect glyph = control_->SmallCloseBtn()
                            ? box
                            : QRect(box.center() - QPoint(CloseSize / 2 - 1, CloseSize / 2 - 1),
                                    QSize(CloseSize, CloseSize));
    if (fill.isValid())
        painter.fillRect(box.intersected(tabRect(index).adjusted(1, 1, -1, -1)), fill);
    QStyleOption option;
    option.initFrom(this);
    option.rect = glyph;
    option.state &= ~(QStyle::State_MouseOver | QStyle::State_Sunken | QStyle::State_Raised);
    if (hot_ && index == currentIndex())
        option.state |= QStyle::State_MouseOver | QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_IndicatorTabClose, &option, &painter, this);
}

void TPageExtTabBar::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const int index = tabAt(pos);
    if (index < 0) {
        QTabBar::mousePressEvent(event);
        return;
    }
    // A left press activates the tab first, so its glyph can close it at once.
    if (event->button() == Qt::LeftButton && index != currentIndex())
        setCurrentIndex(index);
    if (control_->CloseBtn() && index == currentIndex() && CloseBox(index).contains(pos)) {
        event->accept();
        control_->closeByGlyph(index);
        return;
    }
    QPointer<TPageExtTabBar> alive(this);
    control_->reportClick(index, event->button());
    if (!alive)
        return;
    if (control_->TabDragDrop() && event->button() == Qt::LeftButton) {
        dragFrom_ = currentIndex();
        pressPos_ = pos;
        dragging_ = false;
    }
    QTabBar::mousePressEvent(event);
}

void TPageExtTabBar::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const int active = currentIndex();
    setHot(control_->CloseBtn() && active >= 0 && CloseBox(active).contains(pos));
    if (dragFrom_ >= 0 && (event->buttons() & Qt::LeftButton) && !dragging_ &&
        (pos - pressPos_).manhattanLength() >= QApplication::startDragDistance()) {
        dragging_ = true;
        setCursor(Qt::DragMoveCursor);
    }
    QTabBar::mouseMoveEvent(event);
}

void TPageExtTabBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && dragFrom_ >= 0) {
        const bool dropped = dragging_;
        dragFrom_ = -1;
        dragging_ = false;
        unsetCursor();
        if (dropped)
            control_->moveActiveTo(tabAt(event->position().toPoint()));
    }
    QTabBar::mouseReleaseEvent(event);
}

void TPageExtTabBar::leaveEvent(QEvent* event) {
    setHot(false);
    QTabBar::leaveEvent(event);
}

void TPageExtTabBar::setHot(bool hot) {
    if (hot_ == hot)
        return;
    hot_ = hot;
    if (currentIndex() >= 0)
        update(CloseBox(currentIndex()));
}

} // namespace vorn

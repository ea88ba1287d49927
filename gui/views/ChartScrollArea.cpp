// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/ChartScrollArea.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>

#include <algorithm>

#include "views/ChartLayout.h"

namespace vorn {

TChartScrollArea::TChartScrollArea(QWidget* parent)
    : QScrollArea(parent), labels_(new QStandardItemModel(0, ChartLayout::SectionCount, this)),
      header_(new QHeaderView(Qt::Horizontal, this)) {
    labels_->setHorizontalHeaderLabels(
        {QStringLiteral("Course"), QStringLiteral("Type"), QStringLiteral("Tuning - Frequency"),
         QStringLiteral("Length"), QStringLiteral("Tension"), QStringLiteral("Gut Diam."),
         QStringLiteral("Alt. Material"), QStringLiteral("Alt. Diameter")});
    header_->setModel(labels_);
    // The header's commands open the whole-instrument dialogs, which are not there yet.
    header_->setSectionsClickable(false);
    header_->setHighlightSections(false);
    header_->setDefaultAlignment(Qt::AlignCenter);
    header_->setSectionResizeMode(QHeaderView::Fixed);
    header_->setStretchLastSection(false);
    header_->setMinimumSectionSize(1);
    for (int i = 0; i < ChartLayout::SectionCount; ++i)
        header_->resizeSection(i, ChartLayout::SectionWidths[i]);
    setViewportMargins(0, header_->sizeHint().height(), 0, 0);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { UpdateHeader(); });
}

void TChartScrollArea::UpdateHeader() {
    const int headerHeight = header_->sizeHint().height();
    if (viewportMargins().top() != headerHeight)
        setViewportMargins(0, headerHeight, 0, 0);
    const QRect port = viewport()->geometry();
    header_->setGeometry(port.left(), port.top() - headerHeight, port.width(), headerHeight);
    // The last section reaches as far as the rows do.
    const int contentWidth = widget() ? std::max(widget()->width(), port.width()) : port.width();
    header_->resizeSection(
        ChartLayout::SectionCount - 1,
        std::max(ChartLayout::SectionWidths.back(), contentWidth - ChartLayout::FixedWidth()));
    header_->setOffset(horizontalScrollBar()->value());
}

void TChartScrollArea::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    UpdateHeader();
}

bool TChartScrollArea::viewportEvent(QEvent* event) {
    const bool handled = QScrollArea::viewportEvent(event);
    if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest)
        UpdateHeader();
    return handled;
}

} // namespace vorn

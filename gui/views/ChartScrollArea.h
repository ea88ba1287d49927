// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The string chart's scroll area, carrying the column header in its top margin.

#include <QScrollArea>

class QHeaderView;
class QStandardItemModel;

namespace vorn {

// The rows' scroll area with the column header in its top margin, so that header and cells
// share one horizontal geometry.
class TChartScrollArea : public QScrollArea {
    Q_OBJECT
public:
    explicit TChartScrollArea(QWidget* parent = nullptr);
    QHeaderView* Header() const { return header_; }
    void UpdateHeader();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    QStandardItemModel* labels_;
    QHeaderView* header_;
};

} // namespace vorn

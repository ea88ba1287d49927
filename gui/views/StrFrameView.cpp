// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/StrFrameView.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

#include "chart/StrFrame.h"
#include "views/OneCrsPanelView.h"
#include "views/TensionProfileView.h"
#include "widgets/HelpContext.h"

namespace vorn {

namespace {

// Left to right along one string; the number cell belongs to the first string.
constexpr std::array<int, 8> FirstStringOrder{1, 2, 4, 6, 8, 10, 12, 14};
constexpr std::array<int, 7> OctaveStringOrder{3, 5, 7, 9, 11, 13, 15};

bool canFocus(const QWidget* cell) {
    return cell && cell->isEnabled() && cell->isVisibleTo(cell->window());
}

// Odd columns from 3 on are the octave string's cells.
bool isOctaveColumn(int column) {
    return column % 2 == 1 && column != 1;
}

} // namespace

TStrFrameView::TStrFrameView(TStrFrame& chart, QWidget* parent)
    : QWidget(parent), chart_(chart), instrumentName_(new QLineEdit(this)),
      makerName_(new QLineEdit(this)), scroll_(new TChartScrollArea(this)), rowsHost_(new QWidget),
      rowsLayout_(new QVBoxLayout(rowsHost_)), profile_(new TTensionProfileView(chart, this)),
      profileButton_(new QToolButton(this)) {
    SetHelpContext(this, StringChartHelpContext);
    rowResources_.Play = [this](int frequency, const NoteValue& note, QAbstractButton* button) {
        emit playRequested(frequency, note, button);
    };
    rowResources_.Stop = [this] { emit stopRequested(); };
    profileButton_->setText(QStringLiteral("Tension profile"));
    profileButton_->setCheckable(true);
    profileButton_->setToolTip(QStringLiteral("Show the tension of every string as a bar"));
    profileButton_->setChecked(chart.Settings.TensionProfileVisible != 0);
    profile_->setVisible(profileButton_->isChecked());
    connect(profileButton_, &QAbstractButton::toggled, this, [this](bool shown) {
        chart_.Settings.TensionProfileVisible = shown ? 1 : 0;
        profile_->setVisible(shown);
    });
    auto* names = new QHBoxLayout;
    auto* nameLabel = new QLabel(QStringLiteral("Instrument Name "), this);
    auto* makerLabel = new QLabel(QStringLiteral("Maker "), this);
    nameLabel->setBuddy(instrumentName_);
    makerLabel->setBuddy(makerName_);
    instrumentName_->setAccessibleName(QStringLiteral("Instrument Name"));
    makerName_->setAccessibleName(QStringLiteral("Maker"));
    names->addWidget(nameLabel);
    names->addWidget(instrumentName_, 3);
    names->addSpacing(12);
    names->addWidget(makerLabel);
    names->addWidget(makerName_, 2);
    names->addSpacing(12);
    names->addWidget(profileButton_);

    rowsLayout_->setContentsMargins(0, 0, 0, 0);
    rowsLayout_->setSpacing(0);
    rowsLayout_->addStretch(1);
    rowsHost_->setMinimumWidth(ChartLayout::FixedWidth() + ChartLayout::MinAltDiameterWidth);
    // A slightly smaller face lets a frequency such as "392.72 Hz." fit its fixed-width cell.
    QFont cellFont = rowsHost_->font();
    cellFont.setPointSizeF(cellFont.pointSizeF() * 0.9);
    rowsHost_->setFont(cellFont);
    scroll_->Header()->setFont(cellFont);
    rowsHost_->setAutoFillBackground(true);
    // Rows hang from the top: a course added or taken away at the end exposes or covers only
    // the bottom, and the rows above need not be painted again.
    rowsHost_->setAttribute(Qt::WA_StaticContents);
    // The colours of the rows that are not current sit on the viewport, not on the host: Qt
    // gives each child of a widget with a palette of its own a copy, and only rows that share
    // one palette share the style's cached drawings.
    QPalette rowsPalette = RowPalette(false);
    rowsPalette.setColor(QPalette::Window, RowColours().NormalBackground);
    scroll_->viewport()->setPalette(rowsPalette);
    scroll_->setWidget(rowsHost_);
    rowsHost_->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addLayout(names);
    layout->addWidget(scroll_, 1);
    layout->addWidget(profile_);

    connect(instrumentName_, &QLineEdit::textEdited, this, &TStrFrameView::instrumentNameEdited);
    connect(makerName_, &QLineEdit::textEdited, this, &TStrFrameView::makerNameEdited);

    showRows();
}

TOneCrsPanelView* TStrFrameView::Row(int index) const {
    return index >= 0 && index < RowCount() ? rows_[static_cast<size_t>(index)] : nullptr;
}

void TStrFrameView::ShowNames() {
    const QString name = QString::fromStdString(chart_.Document.InstrumentName);
    const QString maker = QString::fromStdString(chart_.Document.MakerName);
    if (instrumentName_->text() != name)
        instrumentName_->setText(name);
    if (makerName_->text() != maker)
        makerName_->setText(maker);
}

QAbstractButton* TStrFrameView::ProfileButton() const {
    return profileButton_;
}

void TStrFrameView::RowsChanged(int index) {
    profile_->update();
    if (holds_ > 0) {
        if (index < 0)
            pendingRebuild_ = true;
        else if (std::find(pendingRows_.begin(), pendingRows_.end(), index) == pendingRows_.end())
            pendingRows_.push_back(index);
        return;
    }
    if (index < 0 || RowCount() != chart_.CourseCount() || index >= RowCount()) {
        showRows();
        return;
    }
    rows_[static_cast<size_t>(index)]->Refresh();
}

void TStrFrameView::HoldRows() {
    ++holds_;
}

void TStrFrameView::ReleaseRows() {
    if (holds_ == 0 || --holds_ > 0)
        return;
    const bool all = pendingRebuild_;
    std::vector<int> rows;
    rows.swap(pendingRows_);
    pendingRebuild_ = false;
    if (all) {
        showRows();
        return;
    }
    for (int index : rows)
        RowsChanged(index);
}

void TStrFrameView::showRows() {
    // The rows there are stay and show the courses again: a whole-instrument change, an undo
    // step or a new unit costs new values, not new widgets. Rows beyond the chart's courses
    // may still hold the focus or be the sender of this change: they leave quietly and go
    // once control returns to the event loop.
    const int count = chart_.CourseCount();
    while (RowCount() > count) {
        TOneCrsPanelView* row = rows_.back();
        rows_.pop_back();
        row->Detach();
        row->hide();
        rowsLayout_->removeWidget(row);
        row->deleteLater();
    }
    if (count > 0)
        ShowNames();
    for (TOneCrsPanelView* row : rows_)
        row->Refresh();
    for (int i = RowCount(); i < count; ++i) {
        auto* row = new TOneCrsPanelView(chart_, rowResources_, i, rowsHost_);
        row->OnCellCreated = [this](QWidget* cell) { watchCell(cell); };
        for (int column = 1; column <= 15; ++column)
            if (QWidget* cell = row->CellAt(column))
                watchCell(cell);
        rowsLayout_->insertWidget(i, row);
        rows_.push_back(row);
    }
    scroll_->UpdateHeader();
}

void TStrFrameView::watchCell(QWidget* cell) {
    cell->installEventFilter(this);
}

bool TStrFrameView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == rowsHost_) {
        if (event->type() == QEvent::Resize)
            scroll_->UpdateHeader();
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int k = key->key();
        const bool arrow =
            k == Qt::Key_Up || k == Qt::Key_Down || k == Qt::Key_Left || k == Qt::Key_Right;
        if (arrow && (key->modifiers() & Qt::ControlModifier)) {
            for (int i = 0; i < RowCount(); ++i) {
                const int column = rows_[static_cast<size_t>(i)]->ColumnOf(watched);
                if (column > 0) {
                    Navigate(i, column, k);
                    return true;
                }
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TStrFrameView::focusCell(int course, int column) {
    TOneCrsPanelView* row = Row(course);
    if (!row)
        return;
    QWidget* cell = row->CellAt(column);
    if (canFocus(cell))
        cell->setFocus(Qt::TabFocusReason);
    chart_.SelectCourse(course);
    scroll_->ensureWidgetVisible(canFocus(cell) ? cell : row, 0, 0);
}

std::pair<int, int> TStrFrameView::FocusedCell() const {
    for (const QWidget* w = QApplication::focusWidget(); w && w != this; w = w->parentWidget())
        for (int i = 0; i < RowCount(); ++i)
            if (const int column = rows_[static_cast<size_t>(i)]->ColumnOf(w))
                return {i, column};
    return {-1, 0};
}

void TStrFrameView::Navigate(int course, int column, int key) {
    if (course < 0 || course >= RowCount() || column < 1 || column > 15)
        return;
    switch (key) {
    case Qt::Key_Down:
        navigateDown(course, column);
        return;
    case Qt::Key_Up:
        navigateUp(course, column);
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
        navigateAcross(course, column, key == Qt::Key_Right ? 1 : -1);
        return;
    default:
        return;
    }
}

bool TStrFrameView::hasOctave(int course) const {
    return chart_.Course(course).HasSecond();
}

void TStrFrameView::navigateDown(int course, int column) {
    const int count = RowCount();
    const bool octaveCell = isOctaveColumn(column);
    if (column == 1) {
        if (course + 1 >= count)
            return;
        if (hasOctave(course)) {
            // Only the next course becomes current; the focus stays.
            chart_.SelectCourse(course + 1);
            scroll_->ensureWidgetVisible(Row(course + 1), 0, 0);
        } else {
            focusCell(course + 1, 1);
        }
        return;
    }
    if (!octaveCell && hasOctave(course)) {
        focusCell(course, column + 1);
        return;
    }
    const int firstColumn = octaveCell ? column - 1 : column;
    focusCell(course + 1 < count ? course + 1 : course, firstColumn);
}

void TStrFrameView::navigateUp(int course, int column) {
    if (column == 1) {
        if (course == 0)
            return;
        focusCell(course - 1, hasOctave(course) ? 2 : 1);
        return;
    }
    if (isOctaveColumn(column)) {
        focusCell(course, column - 1);
        return;
    }
    if (course == 0)
        return;
    if (hasOctave(course) && hasOctave(course - 1))
        focusCell(course - 1, column + 1);
    else
        focusCell(course - 1, column);
}

// step: +1 to the right, -1 to the left.
void TStrFrameView::navigateAcross(int course, int column, int step) {
    const bool octaveCell = isOctaveColumn(column);
    std::vector<int> order;
    if (octaveCell)
        order.assign(OctaveStringOrder.begin(), OctaveStringOrder.end());
    else
        order.assign(FirstStringOrder.begin(), FirstStringOrder.end());
    const int n = static_cast<int>(order.size());
    int at = static_cast<int>(std::find(order.begin(), order.end(), column) - order.begin());
    // The number cell is left out of the wrap: after the last cell comes the type box.
    const int wrapFrom = octaveCell ? 0 : 1;
    TOneCrsPanelView* row = Row(course);
    for (int tries = 0; tries < n; ++tries) {
        at += step;
        if (at >= n)
            at = wrapFrom;
        if (at < wrapFrom)
            at = n - 1;
        // Cells that cannot take the focus (the octave string's type box) are passed by.
        if (canFocus(row->CellAt(order[static_cast<size_t>(at)]))) {
            focusCell(course, order[static_cast<size_t>(at)]);
            return;
        }
    }
}

} // namespace vorn

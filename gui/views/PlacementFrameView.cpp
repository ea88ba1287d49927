// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/PlacementFrameView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QVBoxLayout>

#include "pitch/Keys.h"
#include "widgets/FittedMessageBox.h"
#include "widgets/HelpContext.h"
#include "widgets/NotePanel.h"

namespace vorn {

namespace {

constexpr int HintWidth = 190;  // "Click on fret to customize ->" left of the header
constexpr int NumberWidth = 22; // course numbers, left of the nut
constexpr int NutWidth = 50;
constexpr int HeaderHeight = 36;
constexpr int RowHeight = 26;
constexpr int CellInset = 2;
constexpr int BoardPadding = 4;

const QColor Fingerboard(0, 0, 0);
const QColor NutColumn(160, 160, 160);

QColor choiceColour(uint8_t choice) {
    const Rgb c = FretChoiceColour(choice);
    return QColor(c.red, c.green, c.blue);
}

QColor cellColour(uint8_t colour) {
    return choiceColour(colour == pl_mi ? fc_mi : colour == pl_fa ? fc_fa : fc_fixed);
}

void fill(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::WindowText, Qt::black);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QStringList lines(const std::string& list) {
    return QString::fromStdString(list).split(QStringLiteral("\r\n"));
}

// The black fingerboard with its grey nut column, under the cells.
class TFingerboard : public QWidget {
public:
    using QWidget::QWidget;
    QRect Board;
    QRect Nut;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(Board, Fingerboard);
        painter.fillRect(Nut, NutColumn);
    }
};

} // namespace

TPlacementHeaderCell::TPlacementHeaderCell(int fret, QWidget* parent)
    : QWidget(parent), fret_(fret), number_(new QLabel(this)), text_(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 1, 0, 1);
    layout->setSpacing(0);
    QFont bold = number_->font();
    bold.setBold(true);
    number_->setFont(bold);
    for (QLabel* l : {number_, text_}) {
        l->setAlignment(Qt::AlignCenter);
        layout->addWidget(l);
    }
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Click on fret to customize"));
}

void TPlacementHeaderCell::Show(const PlacementHeader& header) {
    number_->setText(QString::fromStdString(header.Number));
    text_->setText(QString::fromStdString(header.Text));
    fill(this, choiceColour(header.Colour));
    setAccessibleName(QStringLiteral("Fret %1 %2").arg(fret_).arg(text_->text()));
}

QString TPlacementHeaderCell::Number() const {
    return number_->text();
}

QString TPlacementHeaderCell::Text() const {
    return text_->text();
}

void TPlacementHeaderCell::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(fret_);
}

void TPlacementHeaderCell::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return)
        emit clicked(fret_);
    else
        QWidget::keyPressEvent(event);
}

void TPlacementHeaderCell::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!hasFocus())
        return;
    // Keyboard users must see which fret Space will change.
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void TPlacementHeaderCell::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void TPlacementHeaderCell::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

TPlacementFrameView::TPlacementFrameView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PlacementChartPage"));
    SetHelpContext(this, PlacementChartHelpContext);
    ShowInformation = [this](const QString& caption, const QString& text) {
        TFittedMessageBox::Ask(this, QMessageBox::Information, caption, text);
    };
    AskYesNo = [this](const QString& text) {
        return TFittedMessageBox::Ask(this, QMessageBox::Question, QStringLiteral("Confirm"), text,
                                      QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };

    auto* caption = new QLabel(
        QStringLiteral("Customize meantone fret placement according to musical key"), this);
    QFont big = caption->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    caption->setFont(big);
    defaults_ = new QPushButton(QStringLiteral("Defaults"), this);
    defaults_->setToolTip(QStringLiteral("Standard fret choices and C Major"));
    auto* legend = new QLabel(QStringLiteral("Legend: Blue = \"Mi\" (chromatic semitone); Red = "
                                             "\"Fa\" (diatonic semitone); Ivory = Fixed Frets"),
                              this);

    QLayout* keys = buildKeys();
    buildBoard();

    auto* top = new QHBoxLayout;
    top->addWidget(caption);
    top->addStretch(1);
    top->addWidget(defaults_);
    auto* page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addWidget(legend);
    page->addLayout(keys);
    page->addSpacing(8);
    page->addWidget(board_);
    page->addStretch(1);

    connect(major_, &QComboBox::activated, this, [this](int index) {
        model_.SelectMajor(index);
        refresh();
    });
    connect(minor_, &QComboBox::activated, this, [this](int index) {
        model_.SelectMinor(index);
        refresh();
    });
    connect(defaults_, &QPushButton::clicked, this, [this] {
        model_.Defaults();
        refresh();
    });
    place();
}

QLayout* TPlacementFrameView::buildKeys() {
    major_ = new QComboBox(this);
    minor_ = new QComboBox(this);
    major_->setObjectName(QStringLiteral("ComboMajorKeys"));
    minor_->setObjectName(QStringLiteral("ComboMinorKeys"));
    major_->addItems(lines(KeyList(0)));
    minor_->addItems(lines(KeyList(1)));
    major_->setCurrentIndex(0);
    minor_->setCurrentIndex(-1);
    keyLabel_ = new QLabel(QStringLiteral("C Major"), this);
    keyLabel_->setObjectName(QStringLiteral("KeyLabel"));
    QFont bold = keyLabel_->font();
    bold.setBold(true);
    keyLabel_->setFont(bold);

    auto* keys = new QHBoxLayout;
    keys->addWidget(new QLabel(QStringLiteral("Select Key:"), this));
    auto* majorLabel = new QLabel(QStringLiteral("Major Keys:"), this);
    majorLabel->setBuddy(major_);
    major_->setAccessibleName(QStringLiteral("Major Keys:"));
    auto* minorLabel = new QLabel(QStringLiteral("Minor Keys:"), this);
    minorLabel->setBuddy(minor_);
    minor_->setAccessibleName(QStringLiteral("Minor Keys:"));
    auto* keyTitle = new QLabel(QStringLiteral("Key:"), this);
    keyTitle->setBuddy(keyLabel_);
    keys->addWidget(majorLabel);
    keys->addWidget(major_);
    keys->addSpacing(12);
    keys->addWidget(minorLabel);
    keys->addWidget(minor_);
    keys->addSpacing(12);
    keys->addWidget(keyTitle);
    keys->addWidget(keyLabel_);
    keys->addStretch(1);
    return keys;
}

void TPlacementFrameView::buildBoard() {
    const QFont bold = keyLabel_->font();
    board_ = new TFingerboard(this);
    board_->setObjectName(QStringLiteral("Fingerboard"));
    hint_ = new QLabel(QStringLiteral("Click on fret to customize ->"), board_);
    hint_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (int f = 1; f <= PlacementFrets; ++f) {
        auto* cell = new TPlacementHeaderCell(f, board_);
        header_[f - 1] = cell;
        connect(cell, &TPlacementHeaderCell::clicked, this, &TPlacementFrameView::ClickHeader);
    }
    for (int c = 0; c < PlacementCourses; ++c) {
        courseNumbers_[c] = new QLabel(QString::number(c + 1), board_);
        courseNumbers_[c]->setAlignment(Qt::AlignCenter);
        courseNumbers_[c]->setFont(bold);
        for (int j = 0; j < PlacementColumns; ++j) {
            auto* frame = new QFrame(board_);
            fill(frame, cellColour(pl_nut));
            auto* note = new TNotePanel(frame);
            note->setFrameShape(QFrame::NoFrame);
            frames_[c][j] = frame;
            cells_[c][j] = note;
        }
    }
}

TNotePanel* TPlacementFrameView::Cell(int course, int column) const {
    return cells_.at(course - 1).at(column);
}

QFrame* TPlacementFrameView::CellFrame(int course, int column) const {
    return frames_.at(course - 1).at(column);
}

void TPlacementFrameView::Bind(TInstDataType& document) {
    model_.Bind(document);
    model_.Refresh();
    refresh();
}

void TPlacementFrameView::ClickHeader(int fret) {
    const PlacementQuestion q = model_.HeaderClicked(fret);
    // Line breaks as the platform writes them.
    const QString text =
        QString::fromStdString(q.Text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (q.Ask == PlacementQuestion::pq_fixed) {
        if (ShowInformation)
            ShowInformation(QString::fromStdString(q.Caption), text);
    } else if (q.Ask == PlacementQuestion::pq_confirm) {
        if (AskYesNo && AskYesNo(text))
            model_.ChangeFret(fret);
        refresh();
    }
}

void TPlacementFrameView::refresh() {
    {
        const QSignalBlocker a(major_), b(minor_);
        major_->setCurrentIndex(model_.MajorIndex);
        minor_->setCurrentIndex(model_.MinorIndex);
    }
    keyLabel_->setText(QString::fromStdString(model_.KeyLabel));
    const uint8_t key = model_.Key();
    for (int f = 0; f < PlacementFrets; ++f)
        header_[f]->Show(model_.Header[f]);
    for (int c = 0; c < PlacementCourses; ++c) {
        for (int j = 0; j < PlacementColumns; ++j) {
            const PlacementCell& cell = model_.Cells[c][j];
            fill(frames_[c][j], cellColour(cell.Colour));
            TNotePanel* note = cells_[c][j];
            note->SetKey(key);
            note->SetNote(cell.Note);
            // The note in the name too: a screen reader reads a cell by its name.
            const QString place = j == 0 ? QStringLiteral("Course %1 open").arg(c + 1)
                                         : QStringLiteral("Course %1 fret %2").arg(c + 1).arg(j);
            note->setAccessibleName(place + QStringLiteral(": ") + note->accessibleDescription());
        }
    }
    place();
}

// Column widths follow the choices: narrow for Mi, wide for Fa.
void TPlacementFrameView::place() {
    const int nutX = HintWidth;
    std::array<int, PlacementColumns> x{};
    std::array<int, PlacementColumns> w{};
    x[0] = nutX;
    w[0] = NutWidth;
    for (int f = 1; f <= PlacementFrets; ++f) {
        x[f] = x[f - 1] + w[f - 1];
        w[f] = model_.Header[f - 1].Width;
    }
    const int right = x[PlacementFrets] + w[PlacementFrets];
    hint_->setGeometry(0, 0, nutX + NutWidth - 6, HeaderHeight);
    for (int f = 1; f <= PlacementFrets; ++f)
        header_[f - 1]->setGeometry(x[f] + 1, 0, w[f] - 2, HeaderHeight);

    const int gridTop = HeaderHeight + BoardPadding;
    for (int c = 0; c < PlacementCourses; ++c) {
        const int y = gridTop + c * RowHeight;
        courseNumbers_[c]->setGeometry(nutX - NumberWidth, y, NumberWidth, RowHeight);
        for (int j = 0; j < PlacementColumns; ++j) {
            QFrame* frame = frames_[c][j];
            frame->setGeometry(x[j] + CellInset, y + CellInset, w[j] - 2 * CellInset,
                               RowHeight - 2 * CellInset);
            cells_[c][j]->setGeometry(0, 0, frame->width(), frame->height());
            // A Mi column is narrow: the octave digit must not fall off its cell.
            cells_[c][j]->FitWidth(frame->width() - 1);
        }
    }
    const int gridBottom = gridTop + PlacementCourses * RowHeight;
    auto* board = static_cast<TFingerboard*>(board_);
    board->Board =
        QRect(nutX, gridTop - BoardPadding, right - nutX, gridBottom - gridTop + 2 * BoardPadding);
    board->Nut = QRect(nutX, board->Board.top(), NutWidth, board->Board.height());
    board_->setFixedSize(right + BoardPadding, gridBottom + BoardPadding);
    board_->update();
}

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/FretPositionView.h"

#include <QLabel>
#include <QPainter>
#include <QToolButton>

#include "widgets/LocalNumbers.h"
#include "widgets/NotePanel.h"
#include "widgets/SvgIcon.h"

namespace vorn {

namespace {

QColor colourOf(uint8_t choice) {
    const Rgb c = FretChoiceColour(choice);
    return QColor(c.red, c.green, c.blue);
}

// Every text of a fret row is shown to the user: numbers in the user's separator.
QString qs(const std::string& s) {
    return LocalNumbers(QString::fromStdString(s));
}

} // namespace

TFretPartView::TFretPartView(QWidget* parent)
    : QFrame(parent), marker_(new QToolButton(this)), note_(new TNotePanel(this)),
      distance_(new QLabel(this)), play_(new QToolButton(this)) {
    using namespace FretChartLayout;
    setAutoFillBackground(true);
    setFixedSize(PartWidth, PartHeight);

    QFont italic = marker_->font();
    italic.setItalic(true);
    marker_->setFont(italic);
    marker_->setFocusPolicy(Qt::NoFocus);
    marker_->setGeometry(1, 1, MarkerWidth - 2, PartHeight - 2);

    note_->setGeometry(MarkerWidth, 2, NoteWidth, PartHeight - 4);
    note_->setFrameShape(QFrame::NoFrame);
    note_->SetOctaveByLetter(true);

    // The distances are two-decimal texts padded to seven characters: keep their columns.
    distance_->setFont(QFont(QStringLiteral("monospace")));
    // Fixed: a new distance then asks for no layout.
    distance_->setFixedSize(DistanceWidth, PartHeight);
    distance_->move(MarkerWidth + NoteWidth, 0);
    distance_->setToolTip(QString::fromLatin1(FretDistanceHint));

    play_->setCheckable(true);
    play_->setAutoRaise(true);
    // Reached with Tab and pressed with Space, as a click would.
    play_->setFocusPolicy(Qt::TabFocus);
    play_->setIcon(SvgIcon(QStringLiteral(":/app/icons/play-small.svg")));
    play_->setIconSize(QSize(12, 12));
    play_->setGeometry(PartWidth - PlayWidth + 2, 1, PlayWidth - 4, PartHeight - 2);
}

void TFretPartView::Show(const FretPartView& part, bool markerActive) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colourOf(part.Choice));
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);

    marker_->setText(qs(part.Marker));
    marker_->setToolTip(qs(part.MarkerHint));
    marker_->setAccessibleName(part.Marker.empty() ? QStringLiteral("Fixed fret")
                                                   : qs(part.Marker));
    // Flat in "Standard", a raised button in "Customized".
    if (marker_->autoRaise() == markerActive)
        marker_->setAutoRaise(!markerActive); // repaints even when it stays
    marker_->setEnabled(!part.Marker.empty());

    note_->SetNote(part.Note);
    note_->setToolTip(qs(part.NoteHint));
    distance_->setText(qs(part.Distance));
    hertz_ = part.PlayHertz;
    shown_ = part.Note;
    play_->setToolTip(qs(part.PlayHint));
    play_->setAccessibleName(qs(part.PlayHint));

    for (QWidget* w : {static_cast<QWidget*>(marker_), static_cast<QWidget*>(note_),
                       static_cast<QWidget*>(distance_), static_cast<QWidget*>(play_)})
        w->setVisible(part.Visible);
}

TFretPositionView::TFretPositionView(int fret, QWidget* parent)
    : QWidget(parent), fret_(fret), number_(new QLabel(QString::number(fret), this)),
      main_(new TFretPartView(this)), alt_(new TFretPartView(this)) {
    using namespace FretChartLayout;
    setFixedSize(RowWidth, RowHeight);
    QFont bold = number_->font();
    bold.setBold(true);
    number_->setFont(bold);
    number_->setAlignment(Qt::AlignCenter);
    number_->setGeometry(0, 0, NumberWidth, RowHeight);
    number_->setAccessibleName(QStringLiteral("Fret %1").arg(fret));

    // The alternative's marker is only a label; the main one changes the fret.
    alt_->Marker()->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(main_->Marker(), &QToolButton::clicked, this, [this] { emit markerPressed(fret_); });
    for (TFretPartView* part : {main_, alt_}) {
        connect(part->Play(), &QToolButton::clicked, this, [this, part](bool down) {
            emit playToggled(part->PlayHertz(), part->PlayNote(), part->Play(), down);
        });
    }
}

QSize TFretPositionView::sizeHint() const {
    return {FretChartLayout::RowWidth, FretChartLayout::RowHeight};
}

void TFretPositionView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, height() - 1, width(), height() - 1);
}

void TFretPositionView::place(TFretPartView* part, const FretPartView& view, int x) {
    using namespace FretChartLayout;
    const int y = view.Place == fp_top      ? 0
                  : view.Place == fp_bottom ? RowHeight - PartHeight
                                            : FixedTop;
    part->move(x, y);
}

void TFretPositionView::ShowFret(const FretRowView& row, bool markerActive, bool showAlternative) {
    main_->Show(row.Main, markerActive);
    place(main_, row.Main, FretChartLayout::MainX);
    alt_->Show(row.Alt, false);
    place(alt_, row.Alt, FretChartLayout::AltX);
    alt_->setVisible(showAlternative);
}

} // namespace vorn

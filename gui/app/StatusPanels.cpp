// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/StatusPanels.h"

#include <QLabel>
#include <QResizeEvent>

#include "app/HelpViewer.h"
#include "widgets/NotePanel.h"

namespace vorn {

namespace {

constexpr int StatusHelp = 20;
constexpr int BarHeight = 22;
constexpr std::array<Qt::Alignment, TStatusPanels::PanelCount> Alignments{
    Qt::AlignRight,   Qt::AlignLeft,    Qt::AlignHCenter, Qt::AlignHCenter,
    Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignLeft};

// The longest text each panel shows in practice: "Playing: " and a tone's frequency too,
// which a wide font would otherwise cut ("laying:").
constexpr std::array<const char*, TStatusPanels::PanelCount> Widest{
    "Playing: ",           nullptr,         "88888htz.", "Renaissance Lute",
    "Bridge: 888.888 kg.", "Pitch: A=2100", nullptr};

} // namespace

TStatusPanels::TStatusPanels(QWidget* parent)
    : QStatusBar(parent), hint_(new QLabel(this)), note_(new TNotePanel(this)) {
    setObjectName(QStringLiteral("StatusBar"));
    SetHelpContext(this, StatusHelp);
    setSizeGripEnabled(false);
    for (int i = 0; i < PanelCount; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        panel->setAlignment(Alignments[i] | Qt::AlignVCenter);
        panel->setIndent(3);
        panels_[i] = panel;
    }
    hint_->setObjectName(QStringLiteral("HintPanel"));
    hint_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    hint_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    hint_->setIndent(3);
    hint_->setAutoFillBackground(true);
    hint_->hide();

    note_->setObjectName(QStringLiteral("NoteDisplay"));
    note_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    note_->SetTextOffset(4);
    note_->SetGlyphWidth(9);
    note_->SetGlyphHeight(15);
    NoteValue a;
    a.Number = 69;
    note_->SetNote(a);
    place();
}

QString TStatusPanels::Text(int index) const {
    return panels_.at(index)->text();
}

void TStatusPanels::SetText(int index, const QString& text) {
    QLabel* panel = panels_.at(index);
    panel->setText(text);
    // The panels are narrow; the whole text is a tool tip away.
    panel->setToolTip(text);
}

void TStatusPanels::ShowHint(const QString& hint) {
    hint_->setText(hint);
    hint_->setVisible(!hint.isEmpty());
    if (!hint.isEmpty())
        hint_->raise();
}

QString TStatusPanels::Hint() const {
    return hint_->isHidden() ? QString() : hint_->text();
}

QSize TStatusPanels::sizeHint() const {
    int width = 0;
    for (int i = 0; i < PanelCount; ++i)
        width += PanelWidth(i);
    return {width, BarHeight};
}

QSize TStatusPanels::minimumSizeHint() const {
    return {0, BarHeight};
}

void TStatusPanels::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    place();
}

int TStatusPanels::PanelWidth(int index) const {
    int w = Widths.at(index);
    if (const char* text = Widest.at(index)) {
        const QLabel* panel = panels_.at(index);
        const int needed = panel->fontMetrics().horizontalAdvance(QString::fromLatin1(text)) +
                           2 * panel->indent() + 2 * panel->frameWidth() + 4;
        w = qMax(w, needed);
    }
    return w;
}

void TStatusPanels::place() {
    const int h = height() > 0 ? height() : BarHeight;
    int x = 0;
    for (int i = 0; i < PanelCount; ++i) {
        int w = PanelWidth(i);
        if (i == PanelCount - 1)
            w = qMax(w, width() - x);
        // Fixed, so that a new text repaints its panel and not the whole bar and window.
        panels_[i]->setFixedSize(w - 1, h - 2);
        panels_[i]->move(x, 1);
        x += w;
    }
    // Over the play, note and frequency panels.
    hint_->setGeometry(0, 1, PanelWidth(0) + PanelWidth(1) + PanelWidth(2) - 1, h - 2);
    note_->setGeometry(PanelWidth(0) + 1, 2, Widths[1], h - 2);
}

} // namespace vorn

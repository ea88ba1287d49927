// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/FittedMessageBox.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QSpacerItem>

#include "widgets/ButtonIcons.h"

namespace vorn {

namespace {

// Room for a title bar's close, maximise and minimise buttons and its margins.
constexpr int TitleBarExtra = 140;

} // namespace

TFittedMessageBox::TFittedMessageBox(Icon icon, const QString& title, const QString& text,
                                     StandardButtons buttons, QWidget* parent)
    : QMessageBox(icon, title, text, buttons, parent) {
    if (auto* box = findChild<QDialogButtonBox*>())
        SetStandardButtonIcons(box);
    // The box ignores a minimum width; a spacer across its grid is what it does respect.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addItem(new QSpacerItem(TitleWidth(), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

QMessageBox::StandardButton TFittedMessageBox::Ask(QWidget* parent, Icon icon, const QString& title,
                                                   const QString& text, StandardButtons buttons) {
    TFittedMessageBox box(icon, title, text, buttons, parent);
    return static_cast<StandardButton>(box.exec());
}

int TFittedMessageBox::TitleWidth() const {
    QString shown = windowTitle();
    const QString program = QGuiApplication::applicationDisplayName();
    if (!program.isEmpty() && shown != program)
        shown += QStringLiteral(" \u2014 ") + program;
    return QFontMetrics(font()).horizontalAdvance(shown) + TitleBarExtra;
}

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/PendingTyping.h"

#include <QLineEdit>
#include <QString>
#include <QVariant>

namespace vorn {

namespace {

constexpr const char* ShownProperty = "vornShownText";

} // namespace

void RememberShownText(QLineEdit* cell, const QString& text) {
    cell->setProperty(ShownProperty, text);
}

bool HasPendingTyping(const QLineEdit* cell) {
    const QVariant shown = cell->property(ShownProperty);
    return shown.isValid() && !cell->isReadOnly() && cell->text() != shown.toString();
}

void TakeBackTyping(QLineEdit* cell) {
    if (!HasPendingTyping(cell))
        return;
    cell->setText(cell->property(ShownProperty).toString());
    cell->selectAll();
}

} // namespace vorn

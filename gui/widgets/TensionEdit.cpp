// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/TensionEdit.h"

#include <QLabel>

namespace vorn {

TTensionEdit::TTensionEdit(QWidget* parent)
    : TFloatSpinBase(0.01, QStringLiteral("0"), parent), unitLabel_(new QLabel(this)) {
    setAccessibleName(QStringLiteral("Tension"));
    unitLabel_->setAlignment(Qt::AlignCenter);
    // The label sits on the edit's base colour and follows its text colour (selected rows).
    unitLabel_->setForegroundRole(QPalette::Text);
    unitLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
    SetTensionType(tt_newtons);
}

void TTensionEdit::SetTensionType(VornTensType unit) {
    unit_ = unit;
    unitLabel_->setText(QString::fromStdString(TensionUnitSuffix(unit)));
    setAccessibleDescription(QStringLiteral("Unit: ") + unitLabel_->text());
    Relayout();
}

QString TTensionEdit::UnitText() const {
    return unitLabel_->text();
}

int TTensionEdit::TrailingWidth() const {
    return unitLabel_->fontMetrics().horizontalAdvance(unitLabel_->text()) + 6;
}

void TTensionEdit::PlaceTrailing(const QRect& area) {
    unitLabel_->setGeometry(area);
}

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/VornFloatEdit.h"

namespace vorn {

TVornFloatEdit::TVornFloatEdit(QWidget* parent)
    : TFloatSpinBase(1.0, QStringLiteral("0.0"), parent) {
    setAccessibleName(QStringLiteral("Diameter or catalogue string"));
}

void TVornFloatEdit::SetLabelMode(bool on) {
    labelMode_ = on;
    setInputMethodHints(on ? Qt::ImhNone : Qt::ImhFormattedNumbersOnly);
}

void TVornFloatEdit::Step(int direction) {
    if (ReadOnly()) {
        Refuse();
        return;
    }
    if (direction > 0)
        emit stepUp();
    else
        emit stepDown();
}

} // namespace vorn

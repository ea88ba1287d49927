// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/FloatEdit.h"

namespace vorn {

TFloatEdit::TFloatEdit(QWidget* parent) : TFloatSpinBase(1.0, QStringLiteral("0"), parent) {
    setAccessibleName(QStringLiteral("Number"));
}

} // namespace vorn

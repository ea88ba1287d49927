// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The plain number entry: lengths, diameters, densities, pitch.

#include "widgets/FloatSpinBase.h"

namespace vorn {

// Increment 1, initial text "0".
class TFloatEdit : public TFloatSpinBase {
    Q_OBJECT
public:
    explicit TFloatEdit(QWidget* parent = nullptr);
};

} // namespace vorn

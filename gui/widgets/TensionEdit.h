// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Tension entry: a number with the unit's suffix shown between the text and the spin button.

#include "strings/StringPhysics.h"
#include "widgets/FloatSpinBase.h"

class QLabel;

namespace vorn {

// Increment 0.01, initial text "0". The unit is only shown: the value is never converted here
// (callers convert with ToNewtons/FromNewtons).
class TTensionEdit : public TFloatSpinBase {
    Q_OBJECT
public:
    explicit TTensionEdit(QWidget* parent = nullptr);

    VornTensType TensionType() const { return unit_; }
    // Shows "N.", "kg." or "lb."; the label is as wide as its text plus 6 pixels.
    void SetTensionType(VornTensType unit);
    QString UnitText() const;

protected:
    int TrailingWidth() const override;
    void PlaceTrailing(const QRect& area) override;

private:
    QLabel* unitLabel_;
    VornTensType unit_ = tt_newtons;
};

} // namespace vorn

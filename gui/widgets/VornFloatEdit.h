// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The alternative diameter cell: a number, or a maker's catalogue label in label mode.

#include "widgets/FloatSpinBase.h"

namespace vorn {

// Increment 1, initial text "0.0". No AllowNegative clamp and no normalising on leaving. The
// spin button and the Up/Down keys never change the text themselves: they emit stepUp() and
// stepDown() for the owner, in both modes (ReadOnly: a beep instead).
class TVornFloatEdit : public TFloatSpinBase {
    Q_OBJECT
public:
    explicit TVornFloatEdit(QWidget* parent = nullptr);

    // Label mode: every character is accepted and Enter leaves the text alone.
    bool LabelMode() const { return labelMode_; }
    void SetLabelMode(bool on);

signals:
    void stepUp();
    void stepDown();

protected:
    bool ClampsNegative() const override { return false; }
    bool NormalisesOnFocusOut() const override { return false; }
    bool NormalisesOnEnter() const override { return !labelMode_; }
    bool AcceptsAnyCharacter() const override { return labelMode_; }
    void Step(int direction) override;

private:
    bool labelMode_ = false;
};

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "Global Course Type": every course the same kind, or each its instrument's default.

#include "chart/GlobalChangeForms.h"
#include "dialogs/GlobalDialog.h"

class QRadioButton;

namespace vorn {

class TGlobType : public TGlobalDialog {
    Q_OBJECT
public:
    explicit TGlobType(Hooks hooks, QWidget* parent = nullptr);
    const CourseTypeForm& Form() const { return form_; }
    // ck_single, ck_unison, ck_bass_with_octave, or 0 for the reset choice.
    QRadioButton* Choice(int kind) const;

private:
    CourseTypeForm form_;
    QRadioButton* single_;
    QRadioButton* unison_;
    QRadioButton* bass_;
    QRadioButton* reset_;
};

} // namespace vorn

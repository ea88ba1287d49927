// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "Global String Length": the top length and the second length of the basses.

#include "chart/GlobalChangeForms.h"
#include "dialogs/GlobalDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace vorn {

class TFloatEdit;

class TGlobStrLength : public TGlobalDialog {
    Q_OBJECT
public:
    TGlobStrLength(const TInstDataType& document, const TGlobalData& settings, Hooks hooks,
                   QWidget* parent = nullptr);
    const LengthForm& Form() const { return form_; }
    TFloatEdit* TopBox() const { return top_; }
    QCheckBox* SecondCheck() const { return useSecond_; }
    TFloatEdit* SecondBox() const { return second_; }
    QComboBox* FromList() const { return from_; }

private:
    void enableSecond();

    LengthForm form_;
    TFloatEdit* top_;
    QCheckBox* useSecond_;
    QLabel* secondLabel_;
    TFloatEdit* second_;
    QLabel* fromLabel_;
    QComboBox* from_;
};

} // namespace vorn

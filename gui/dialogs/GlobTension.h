// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "Global Tension": one tension for every string, or each its default; and the unit.

#include "chart/GlobalChangeForms.h"
#include "dialogs/GlobalDialog.h"

class QComboBox;
class QRadioButton;

namespace vorn {

class TTensionEdit;

class TGlobTension : public TGlobalDialog {
    Q_OBJECT
public:
    TGlobTension(const TGlobalData& settings, Hooks hooks, QWidget* parent = nullptr);
    const TensionForm& Form() const { return form_; }
    QComboBox* UnitList() const { return unit_; }
    TTensionEdit* TensionBox() const { return tension_; }
    QRadioButton* OneTension() const { return one_; }
    QRadioButton* DefaultTensions() const { return defaults_; }

private:
    void showTension();

    TensionForm form_;
    QComboBox* unit_;
    TTensionEdit* tension_;
    QRadioButton* one_;
    QRadioButton* defaults_;
};

} // namespace vorn

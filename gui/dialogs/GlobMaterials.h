// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "Global Alternative Strings": one alternative for every string, or each its default.

#include "chart/GlobalChangeForms.h"
#include "dialogs/GlobalDialog.h"

class QComboBox;
class QRadioButton;

namespace vorn {

class TGlobMaterials : public TGlobalDialog {
    Q_OBJECT
public:
    TGlobMaterials(const TGlobalData& settings, Hooks hooks, QWidget* parent = nullptr);
    const AlternativesForm& Form() const { return form_; }
    QComboBox* ChoiceList() const { return list_; }
    QRadioButton* OneType() const { return one_; }
    QRadioButton* DefaultTypes() const { return defaults_; }

private:
    // The list again from the settings, nothing selected.
    void fill();

    const TGlobalData& settings_;
    AlternativesForm form_;
    QComboBox* list_;
    QRadioButton* one_;
    QRadioButton* defaults_;
};

} // namespace vorn

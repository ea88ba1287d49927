// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "Global Gut": the gut density, and what a changed gut diameter recalculates.

#include "chart/GlobalChangeForms.h"
#include "dialogs/GlobalDialog.h"

class QRadioButton;

namespace vorn {

class TFloatEdit;

class TGlobGut : public TGlobalDialog {
    Q_OBJECT
public:
    TGlobGut(const TGlobalData& settings, Hooks hooks, QWidget* parent = nullptr);
    const GutForm& Form() const { return form_; }
    QRadioButton* TensionChoice() const { return tension_; }
    QRadioButton* LengthChoice() const { return length_; }
    TFloatEdit* DensityBox() const { return density_; }

private:
    GutForm form_;
    QRadioButton* tension_;
    QRadioButton* length_;
    TFloatEdit* density_;
};

} // namespace vorn

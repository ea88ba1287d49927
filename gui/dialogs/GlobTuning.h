// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "Global Tuning": pitch standard and temperament on one page, a transposition on the other.

#include "chart/GlobalChangeForms.h"
#include "dialogs/GlobalDialog.h"

class QButtonGroup;
class QComboBox;
class QRadioButton;
class QTabWidget;

namespace vorn {

class TFloatEdit;

class TGlobTuning : public TGlobalDialog {
    Q_OBJECT
public:
    static constexpr int PitchHelp = 100;
    static constexpr int TransposeHelp = 110;

    TGlobTuning(const TInstDataType& document, Hooks hooks, QWidget* parent = nullptr);
    const TuningForm& Form() const { return form_; }

    QTabWidget* Pages() const { return pages_; }
    QComboBox* PitchList() const { return pitch_; }
    TFloatEdit* APitchBox() const { return aPitch_; }
    QComboBox* TemperamentList() const { return temperament_; }
    QComboBox* IntervalList() const { return interval_; }
    QRadioButton* TuneUp() const { return up_; }
    QRadioButton* TuneDown() const { return down_; }

private:
    void showPitch();

    TuningForm form_;
    QTabWidget* pages_;
    QComboBox* pitch_;
    TFloatEdit* aPitch_;
    QComboBox* temperament_;
    QComboBox* interval_;
    QRadioButton* up_;
    QRadioButton* down_;
    QButtonGroup* direction_;
};

} // namespace vorn

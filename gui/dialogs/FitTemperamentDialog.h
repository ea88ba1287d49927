// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "Fit temperament": the string length and the measured distances of frets 1..11 in, the
// temperament and Mi/Fa choices they were set to out. The dialog only fits; whoever opened
// it applies the result after Apply, which is offered only for a plausible fit.

#include <QDialog>

#include <array>
#include <functional>

#include "frets/TemperamentFit.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vorn {

class TFitTemperamentDialog : public QDialog {
    Q_OBJECT
public:
    // length in cm; base: the choices in use, kept for the frets the fit does not decide;
    // showHelp shows a help topic by its context number (the Help button and F1).
    TFitTemperamentDialog(double length, const FretChoices& base, std::function<void(int)> showHelp,
                          QWidget* parent = nullptr);

    // The latest fit; its Refusal says why there is none.
    const FitResult& Result() const { return result_; }

    QLineEdit* LengthField() const { return length_; }
    QLineEdit* FretField(int fret) const { return frets_.at(fret - 1); }
    QLabel* Summary() const { return summary_; }
    QTableWidget* Table() const { return table_; }
    QPushButton* ApplyButton() const { return apply_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* HelpButton() const { return help_; }

private:
    void fit();

    void fillTable();

    FretChoices base_;
    std::function<void(int)> showHelp_;
    FitResult result_;
    QLineEdit* length_;
    std::array<QLineEdit*, 11> frets_{};
    QLabel* summary_;
    QTableWidget* table_;
    QPushButton* apply_;
    QPushButton* cancel_;
    QPushButton* help_;
};

} // namespace vorn

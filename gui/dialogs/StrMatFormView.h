// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "Add String Material": a name, a density and four limits for a material of the user's
// own. OK only while the name is given, every figure is above 0 and no minimum lies above its
// maximum; a line above the buttons says which one does.

#include <QDialog>

#include <functional>

#include "options/OptionsForm.h"

class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace vorn {

class TFloatEdit;
class TTensionEdit;

class TStrMatFormView : public QDialog {
    Q_OBJECT
public:
    // unit: the tension unit of both tension boxes; showHelp opens a help topic.
    TStrMatFormView(VornTensType unit, std::function<void(int)> showHelp,
                    QWidget* parent = nullptr);

    // What the boxes hold (tensions in the dialog's unit).
    MaterialFigures Figures() const;

    QLineEdit* NameBox() const { return name_; }
    TFloatEdit* DensityBox() const { return density_; }
    TTensionEdit* MaxTensionBox() const { return maxTension_; }
    TTensionEdit* MinTensionBox() const { return minTension_; }
    TFloatEdit* MaxDiameterBox() const { return maxDiameter_; }
    TFloatEdit* MinDiameterBox() const { return minDiameter_; }
    TFloatEdit* BreakingIndexBox() const { return breakingIndex_; }
    QPushButton* OkButton() const;
    QLabel* ProblemLabel() const { return problem_; }

private:
    void check();

    QLineEdit* name_;
    TFloatEdit* density_;
    TTensionEdit* maxTension_;
    TTensionEdit* minTension_;
    TFloatEdit* maxDiameter_;
    TFloatEdit* minDiameter_;
    TFloatEdit* breakingIndex_;
    QLabel* problem_;
    QDialogButtonBox* buttons_;
};

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/StrMatFormView.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "strings/StringRecord.h"
#include "widgets/ButtonIcons.h"
#include "widgets/FloatEdit.h"
#include "widgets/HelpContext.h"
#include "widgets/TensionEdit.h"

namespace vorn {

namespace {

// The range is the one the options keep, so that what a box shows is what is added.
void figureBox(TFloatSpinBase* box, const EntryRange& range) {
    box->SetIncrement(MaterialStep);
    box->SetAllowNegative(false);
    box->SetMinValue(range.Min);
    box->SetMaxValue(range.Max);
    box->SetValue(range.Initial);
}

// A figure box with its unit to the right, the box named by its label as before.
void addRowWithUnit(QFormLayout* form, const QString& text, QWidget* box, const QString& unit,
                    QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(box);
    auto* row = new QHBoxLayout;
    row->addWidget(box, 1);
    row->addWidget(new QLabel(unit, parent));
    form->addRow(label, row);
}

} // namespace

TStrMatFormView::TStrMatFormView(VornTensType unit, std::function<void(int)> showHelp,
                                 QWidget* parent)
    : QDialog(parent), name_(new QLineEdit(this)), density_(new TFloatEdit(this)),
      maxTension_(new TTensionEdit(this)), minTension_(new TTensionEdit(this)),
      maxDiameter_(new TFloatEdit(this)), minDiameter_(new TFloatEdit(this)),
      breakingIndex_(new TFloatEdit(this)), problem_(new QLabel(this)),
      buttons_(new QDialogButtonBox(
          QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this)) {
    setObjectName(QStringLiteral("StrMatForm"));
    setWindowTitle(QStringLiteral("Add String Material"));
    SetHelpContext(this, AddMaterialHelp);
    const EntryRange tensions = TensionRangeIn(SettingTensionRange, unit);
    figureBox(density_, DensityRange);
    figureBox(maxTension_, tensions);
    figureBox(minTension_, tensions);
    figureBox(maxDiameter_, MaterialDiameterRange);
    figureBox(minDiameter_, MaterialDiameterRange);
    figureBox(breakingIndex_, BreakingIndexRange);
    breakingIndex_->SetIncrement(BreakingIndexStep);
    maxTension_->SetTensionType(unit);
    minTension_->SetTensionType(unit);

    auto* top = new QFormLayout;
    top->addRow(QStringLiteral("String Material Name"), name_);
    addRowWithUnit(top, QStringLiteral("String Density:"), density_, QStringLiteral("g/cm³"), this);
    top->addRow(QStringLiteral("Breaking index (Hz\u00B7m, 0 none):"), breakingIndex_);
    auto* filters = new QGroupBox(QStringLiteral("Filters "), this);
    auto* limits = new QFormLayout(filters);
    limits->addRow(QStringLiteral("Tension  maximum:"), maxTension_);
    limits->addRow(QStringLiteral("minimum:"), minTension_);
    addRowWithUnit(limits, QStringLiteral("Diameter maximum:"), maxDiameter_, QStringLiteral("mm"),
                   filters);
    addRowWithUnit(limits, QStringLiteral("minimum:"), minDiameter_, QStringLiteral("mm"), filters);
    // Two boxes share the label "minimum:"; their accessible names tell them apart.
    minTension_->setAccessibleName(QStringLiteral("Tension minimum:"));
    minDiameter_->setAccessibleName(QStringLiteral("Diameter minimum:"));
    maxDiameter_->setAccessibleName(QStringLiteral("Diameter maximum:"));
    density_->setAccessibleName(QStringLiteral("String Density:"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(filters);
    problem_->setWordWrap(true);
    problem_->hide();
    layout->addWidget(problem_);
    layout->addWidget(buttons_);
    SetStandardButtonIcons(buttons_);
    buttons_->button(QDialogButtonBox::Help)->setShortcut(QKeySequence(Qt::Key_F1));

    OkButton()->setEnabled(false);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons_, &QDialogButtonBox::helpRequested, this, [showHelp] {
        if (showHelp)
            showHelp(AddMaterialHelp);
    });
    connect(name_, &QLineEdit::textChanged, this, &TStrMatFormView::check);
    for (QLineEdit* box :
         {static_cast<QLineEdit*>(density_), static_cast<QLineEdit*>(maxTension_),
          static_cast<QLineEdit*>(minTension_), static_cast<QLineEdit*>(maxDiameter_),
          static_cast<QLineEdit*>(minDiameter_), static_cast<QLineEdit*>(breakingIndex_)})
        connect(box, &QLineEdit::textChanged, this, &TStrMatFormView::check);
}

QPushButton* TStrMatFormView::OkButton() const {
    return buttons_->button(QDialogButtonBox::Ok);
}

MaterialFigures TStrMatFormView::Figures() const {
    return MaterialFigures{name_->text().toStdString(), density_->GetValue(),
                           maxTension_->GetValue(),     minTension_->GetValue(),
                           maxDiameter_->GetValue(),    minDiameter_->GetValue(),
                           breakingIndex_->GetValue()};
}

void TStrMatFormView::check() {
    const MaterialFigures figures = Figures();
    const QString problem = QString::fromStdString(FiguresProblem(figures));
    problem_->setText(problem);
    problem_->setVisible(!problem.isEmpty());
    OkButton()->setEnabled(CanAddMaterial(figures));
}

} // namespace vorn

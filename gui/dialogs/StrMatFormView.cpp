#include "dialogs/StrMatFormView.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/ButtonIcons.h"
#include "widgets/FloatEdit.h"
#include "widgets/HelpContext.h"
#include "widgets/TensionEdit.h"

namespace vorn {

namespace {

void figureBox(TFloatSpinBase* box) {
    box->SetIncrement(0.01);
    box->SetAllowNegative(false);
    box->SetMinValue(0);
    box->SetMaxValue(100000);
    box->SetValue(0);
}

} // namespace

TStrMatFormView::TStrMatFormView(VornTensType unit, std::function<void(int)> showHelp,
                                 QWidget* parent)
    : QDialog(parent), name_(new QLineEdit(this)), density_(new TFloatEdit(this)),
      maxTension_(new TTensionEdit(this)), minTension_(new TTensionEdit(this)),
      maxDiameter_(new TFloatEdit(this)), minDiameter_(new TFloatEdit(this)),
      buttons_(new QDialogButtonBox(
          QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this)) {
    setObjectName(QStringLiteral("StrMatForm"));
    setWindowTitle(QStringLiteral("Add String Material"));
    SetHelpContext(this, AddMaterialHelp);
    for (TFloatSpinBase* box :
         {static_cast<TFloatSpinBase*>(density_), static_cast<TFloatSpinBase*>(maxTension_),
          static_cast<TFloatSpinBase*>(minTension_), static_cast<TFloatSpinBase*>(maxDiameter_),
          static_cast<TFloatSpinBase*>(minDiameter_)})
        figureBox(box);
    maxTension_->SetTensionType(unit);
    minTension_->SetTensionType(unit);

    auto* top = new QFormLayout;
    top->addRow(QStringLiteral("String Material Name"), name_);
    top->addRow(QStringLiteral("String Density:"), density_);
    auto* filters = new QGroupBox(QStringLiteral("Filters "), this);
    auto* limits = new QFormLayout(filters);
    limits->addRow(QStringLiteral("Tension  maximum:"), maxTension_);
    limits->addRow(QStringLiteral("minimum:"), minTension_);
    limits->addRow(QStringLiteral("Diameter maximum:"), maxDiameter_);
    limits->addRow(QStringLiteral("minimum:"), minDiameter_);
    // Two boxes share the label "minimum:"; their accessible names tell them apart.
    minTension_->setAccessibleName(QStringLiteral("Tension minimum:"));
    minDiameter_->setAccessibleName(QStringLiteral("Diameter minimum:"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(filters);
    layout->addWidget(buttons_);
    SetStandardButtonIcons(buttons_);

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
          static_cast<QLineEdit*>(minDiameter_)})
        connect(box, &QLineEdit::textChanged, this, &TStrMatFormView::check);
}

QPushButton* TStrMatFormView::OkButton() const {
    return buttons_->button(QDialogButtonBox::Ok);
}

MaterialFigures TStrMatFormView::Figures() const {
    return MaterialFigures{name_->text().toStdString(), density_->GetValue(),
                           maxTension_->GetValue(),     minTension_->GetValue(),
                           maxDiameter_->GetValue(),    minDiameter_->GetValue()};
}

void TStrMatFormView::check() {
    OkButton()->setEnabled(CanAddMaterial(Figures()));
}

} // namespace vorn

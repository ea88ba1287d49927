// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/GlobGut.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "strings/StringMaterialCollection.h"
#include "widgets/FloatEdit.h"

namespace vorn {

TGlobGut::TGlobGut(const TGlobalData& settings, Hooks hooks, QWidget* parent)
    : TGlobalDialog(QStringLiteral("Global Gut"), QStringLiteral("Calculation of Gut Strings"), 140,
                    std::move(hooks), parent),
      form_(GutForm::Show(settings)), tension_(new QRadioButton(QStringLiteral("Tension"), this)),
      length_(new QRadioButton(QStringLiteral("String Length"), this)),
      density_(new TFloatEdit(this)) {
    setObjectName(QStringLiteral("GlobGut"));
    auto* affected =
        new QGroupBox(QStringLiteral("Variable affected by change in gut diameter:"), this);
    auto* affectedLayout = new QVBoxLayout(affected);
    affectedLayout->addWidget(tension_);
    affectedLayout->addWidget(length_);
    auto* group = new QButtonGroup(this);
    group->addButton(tension_, rm_tension);
    group->addButton(length_, rm_length);
    (form_.Mode == rm_tension ? tension_ : length_)->setChecked(true);
    density_->SetIncrement(MaterialStep);
    density_->SetAllowNegative(false);
    density_->SetMinValue(DensityRange.Min);
    density_->SetMaxValue(DensityRange.Max);
    density_->SetValue(form_.Density);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Gut String Density:"), density_);
    Body()->addWidget(affected);
    Body()->addLayout(form);
    auto* other = new QPushButton(QStringLiteral("Calculations of other variables"), this);
    Body()->addWidget(other, 0, Qt::AlignLeft);
    connect(group, &QButtonGroup::idClicked, this,
            [this](int id) { form_.Mode = static_cast<uint8_t>(id); });
    connect(density_, &QLineEdit::textChanged, this,
            [this] { form_.Density = density_->GetValue(); });
    connect(other, &QPushButton::clicked, this, [this] { openOptions(2); });
}

} // namespace vorn

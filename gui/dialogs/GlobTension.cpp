// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/GlobTension.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "options/OptionsForm.h"
#include "widgets/TensionEdit.h"

namespace vorn {

TGlobTension::TGlobTension(const TGlobalData& settings, Hooks hooks, QWidget* parent)
    : TGlobalDialog(QStringLiteral("Global Tension"), QStringLiteral("Change the string tension"),
                    130, std::move(hooks), parent),
      form_(TensionForm::Show(settings)), unit_(new QComboBox(this)),
      tension_(new TTensionEdit(this)),
      one_(new QRadioButton(QStringLiteral("Change all strings to one tension:"), this)),
      defaults_(
          new QRadioButton(QStringLiteral("Change all strings to their default tensions"), this)) {
    setObjectName(QStringLiteral("GlobTension"));
    for (const char* item : UnitItems)
        unit_->addItem(QString::fromUtf8(item));
    unit_->setCurrentIndex(form_.Unit);
    tension_->SetIncrement(TensionForm::Step);
    tension_->SetAllowNegative(false);
    tension_->setAccessibleName(QStringLiteral("Tension"));
    auto* group = new QButtonGroup(this);
    group->addButton(one_, TensionForm::tc_one);
    group->addButton(defaults_, TensionForm::tc_defaults);

    auto* units = new QFormLayout;
    units->addRow(QStringLiteral("Display Tension As:"), unit_);
    Body()->addLayout(units);
    auto* oneLine = new QHBoxLayout;
    oneLine->addWidget(one_);
    oneLine->addWidget(tension_);
    Body()->addLayout(oneLine);
    Body()->addWidget(defaults_);
    auto* edit = new QPushButton(QStringLiteral("Edit Default Tensions"), this);
    Body()->addWidget(edit, 0, Qt::AlignLeft);
    showTension();

    connect(unit_, &QComboBox::activated, this, [this](int unit) {
        form_.SetUnit(unit);
        showTension();
    });
    connect(tension_, &QLineEdit::textEdited, this, [this] {
        form_.TypeValue(tension_->GetValue());
        one_->setChecked(true);
    });
    connect(group, &QButtonGroup::idClicked, this, [this](int id) { form_.Chosen = id; });
    connect(edit, &QPushButton::clicked, this, [this] { openOptions(1); });
}

void TGlobTension::showTension() {
    const QSignalBlocker block(tension_);
    const auto unit = static_cast<VornTensType>(form_.Unit);
    tension_->SetTensionType(unit);
    tension_->SetMinValue(static_cast<double>(FromNewtons(TensionForm::MinNewtons, unit, -2)));
    tension_->SetMaxValue(static_cast<double>(FromNewtons(TensionForm::MaxNewtons, unit, -2)));
    tension_->SetValue(form_.Value);
}

} // namespace vorn

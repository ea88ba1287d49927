// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/GlobMaterials.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

namespace vorn {

TGlobMaterials::TGlobMaterials(const TGlobalData& settings, Hooks hooks, QWidget* parent)
    : TGlobalDialog(QStringLiteral("Global Alternative Strings"),
                    QStringLiteral("Change the alternative string types"), 150, std::move(hooks),
                    parent),
      settings_(settings), list_(new QComboBox(this)),
      one_(new QRadioButton(QStringLiteral("Change all to one type of string:"), this)),
      defaults_(
          new QRadioButton(QStringLiteral("Change all strings to their default types"), this)) {
    setObjectName(QStringLiteral("GlobMaterials"));
    list_->setMaxVisibleItems(16);
    list_->setAccessibleName(QStringLiteral("Alternative string"));
    auto* group = new QButtonGroup(this);
    group->addButton(one_, AlternativesForm::ac_one);
    group->addButton(defaults_, AlternativesForm::ac_defaults);
    auto* oneLine = new QHBoxLayout;
    oneLine->addWidget(one_);
    oneLine->addWidget(list_, 1);
    Body()->addLayout(oneLine);
    Body()->addWidget(defaults_);
    auto* editTypes = new QPushButton(QStringLiteral("Edit Default String Types"), this);
    auto* editMaterials = new QPushButton(QStringLiteral("Edit Materials List"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(editTypes);
    buttons->addWidget(editMaterials);
    buttons->addStretch(1);
    Body()->addLayout(buttons);
    fill();

    connect(list_, &QComboBox::activated, this, [this](int index) {
        form_.ChooseIndex(index);
        one_->setChecked(true);
    });
    connect(group, &QButtonGroup::idClicked, this, [this](int id) { form_.Chosen = id; });
    connect(editTypes, &QPushButton::clicked, this, [this] { openOptions(1); });
    connect(editMaterials, &QPushButton::clicked, this, [this] {
        openOptions(4);
        fill();
    });
}

void TGlobMaterials::fill() {
    list_->clear();
    for (const std::string& name : settings_.Materials.AlternativeChoiceList())
        list_->addItem(QString::fromStdString(name));
    list_->setCurrentIndex(-1);
    form_.Index = -1;
}

} // namespace vorn

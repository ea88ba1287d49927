// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/GlobType.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vorn {

TGlobType::TGlobType(Hooks hooks, QWidget* parent)
    : TGlobalDialog(QStringLiteral("Global Course Type"),
                    QStringLiteral("Change all courses to the same type."), 90, std::move(hooks),
                    parent),
      single_(new QRadioButton(QStringLiteral("Single Strings"), this)),
      unison_(new QRadioButton(QStringLiteral("Unison Strings"), this)),
      bass_(new QRadioButton(QStringLiteral("Bass and Octave Strings"), this)),
      reset_(new QRadioButton(QStringLiteral("Reset all courses to default types"), this)) {
    setObjectName(QStringLiteral("GlobType"));
    // One group: choosing a kind clears the reset and the other way round.
    auto* group = new QButtonGroup(this);
    group->addButton(single_, ck_single);
    group->addButton(unison_, ck_unison);
    group->addButton(bass_, ck_bass_with_octave);
    group->addButton(reset_, 0);
    auto* kinds = new QGroupBox(this);
    auto* kindsLayout = new QVBoxLayout(kinds);
    kindsLayout->addWidget(single_);
    kindsLayout->addWidget(unison_);
    kindsLayout->addWidget(bass_);
    Body()->addWidget(kinds);
    Body()->addWidget(reset_);
    auto* edit = new QPushButton(QStringLiteral("Edit Default String Types"), this);
    Body()->addWidget(edit, 0, Qt::AlignLeft);
    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        if (id == 0)
            form_.ChooseReset();
        else
            form_.ChooseKind(id);
    });
    connect(edit, &QPushButton::clicked, this, [this] { openOptions(1); });
}

QRadioButton* TGlobType::Choice(int kind) const {
    switch (kind) {
    case ck_single:
        return single_;
    case ck_unison:
        return unison_;
    case ck_bass_with_octave:
        return bass_;
    default:
        return reset_;
    }
}

} // namespace vorn

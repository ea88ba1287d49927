// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/GlobalCourses.h"

#include <QComboBox>
#include <QFormLayout>
#include <QSpinBox>

namespace vorn {

TGlobalCourses::TGlobalCourses(const TInstDataType& document, Hooks hooks, QWidget* parent)
    : TGlobalDialog(QStringLiteral("Global Courses"),
                    QStringLiteral("Change the number of courses"), 80, std::move(hooks), parent),
      form_(CoursesForm::Show(document)), count_(new QSpinBox(this)), kind_(new QComboBox(this)) {
    setObjectName(QStringLiteral("GlobalCourses"));
    // A document holds 4 to 19 courses.
    count_->setRange(MinCourses, MaxCourses);
    count_->setValue(form_.Count);
    kind_->addItems(
        {QStringLiteral("Single"), QStringLiteral("Unison"), QStringLiteral("Bass with Octave")});
    kind_->setCurrentIndex(form_.NewKindPosition);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Number of courses:"), count_);
    form->addRow(QStringLiteral("New course type:"), kind_);
    Body()->addLayout(form);
    connect(count_, &QSpinBox::valueChanged, this, [this](int n) { form_.Count = n; });
    connect(kind_, &QComboBox::currentIndexChanged, this,
            [this](int i) { form_.NewKindPosition = i; });
}

} // namespace vorn

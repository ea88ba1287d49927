// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/GlobStrLength.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

#include "widgets/FloatEdit.h"

namespace vorn {

TGlobStrLength::TGlobStrLength(const TInstDataType& document, const TGlobalData& settings,
                               Hooks hooks, QWidget* parent)
    : TGlobalDialog(QStringLiteral("Global String Length"),
                    QStringLiteral("Change the string length of the whole instrument."), 120,
                    std::move(hooks), parent),
      form_(LengthForm::Show(document, settings)), top_(new TFloatEdit(this)),
      useSecond_(new QCheckBox(QStringLiteral("Use Second Strng Length"), this)),
      secondLabel_(new QLabel(QStringLiteral("Second String Length"), this)),
      second_(new TFloatEdit(this)), fromLabel_(new QLabel(QStringLiteral("From Course"), this)),
      from_(new QComboBox(this)) {
    setObjectName(QStringLiteral("GlobStrLength"));
    for (auto [box, range] :
         {std::pair{top_, TopLengthRange}, std::pair{second_, SecondLengthRange}}) {
        box->SetMinValue(range.Min);
        box->SetMaxValue(range.Max);
        box->SetIncrement(1);
        box->SetAllowNegative(false);
    }
    top_->SetValue(form_.Top);
    second_->SetValue(form_.Second);
    for (int course = LengthForm::FirstFromCourse; course <= LengthForm::LastFromCourse; ++course)
        from_->addItem(QString::number(course));
    from_->setCurrentIndex(form_.FromCourse - LengthForm::FirstFromCourse);
    useSecond_->setChecked(form_.UseSecond);
    secondLabel_->setBuddy(second_);
    fromLabel_->setBuddy(from_);
    second_->setAccessibleName(secondLabel_->text());
    from_->setAccessibleName(fromLabel_->text());

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Top String Length"), top_);
    form->addRow(useSecond_);
    form->addRow(secondLabel_, second_);
    form->addRow(fromLabel_, from_);
    Body()->addLayout(form);
    enableSecond();

    connect(top_, &QLineEdit::textChanged, this, [this] { form_.Top = top_->GetValue(); });
    connect(second_, &QLineEdit::textChanged, this, [this] { form_.Second = second_->GetValue(); });
    connect(from_, &QComboBox::currentIndexChanged, this,
            [this](int i) { form_.FromCourse = i + LengthForm::FirstFromCourse; });
    connect(useSecond_, &QCheckBox::toggled, this, [this](bool on) {
        form_.UseSecond = on;
        enableSecond();
    });
}

void TGlobStrLength::enableSecond() {
    for (QWidget* w : {static_cast<QWidget*>(secondLabel_), static_cast<QWidget*>(second_),
                       static_cast<QWidget*>(fromLabel_), static_cast<QWidget*>(from_)})
        w->setEnabled(form_.UseSecond);
}

} // namespace vorn

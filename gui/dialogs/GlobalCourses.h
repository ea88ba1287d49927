// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "Global Courses": fewer courses, or more of a chosen kind.

#include "chart/GlobalChangeForms.h"
#include "dialogs/GlobalDialog.h"

class QComboBox;
class QSpinBox;

namespace vorn {

class TGlobalCourses : public TGlobalDialog {
    Q_OBJECT
public:
    TGlobalCourses(const TInstDataType& document, Hooks hooks, QWidget* parent = nullptr);
    const CoursesForm& Form() const { return form_; }
    QSpinBox* CountBox() const { return count_; }
    QComboBox* KindList() const { return kind_; }

private:
    CoursesForm form_;
    QSpinBox* count_;
    QComboBox* kind_;
};

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/StrFrame.h"

#include <algorithm>

namespace vorn {

TStrFrame::TStrFrame(TInstDataType& document, TGlobalData& settings)
    : TCourseOwner(document, settings) {
    subscription_ =
        Settings.Notice.Subscribe([this](unsigned changes) { SettingsChanged(changes); });
}

TStrFrame::~TStrFrame() {
    Settings.Notice.Unsubscribe(subscription_);
}

void TStrFrame::SettingsChanged(unsigned changes) {
    if (!Built)
        return;
    if (changes & (sc_tension_unit | sc_materials))
        for (const auto& course : Courses)
            course->RefreshCourseChoices();
    if (changes & sc_reference_density)
        for (const auto& course : Courses)
            course->RecalcCourse();
    NotifyRows(-1);
    NotifyBridge();
}

void TStrFrame::RebuildPitch() {
    Pitch.Compute(Document.CommaFraction, Document.APitch);
}

void TStrFrame::BuildCourses() {
    if (Built || Document.CourseCount == 0)
        return;
    RebuildPitch();
    // The document has room for no more courses than this, whatever its count says.
    const int count = std::min<int>(Document.CourseCount, MaxCourses);
    Courses.clear();
    for (int n = 1; n <= count; ++n) {
        Courses.push_back(std::make_unique<TOneCrsPanel>(*this, n));
        Courses.back()->InitCourse(n);
    }
    current_ = -1;
    SelectCourse(0);
    Built = true;
    NotifyRows(-1);
    NotifyBridge();
}

void TStrFrame::Clear() {
    Courses.clear();
    current_ = -1;
    Built = false;
    NotifyRows(-1);
    NotifyBridge();
}

void TStrFrame::StoreCourses() {
    if (!Built)
        return;
    for (int i = 0; i < CourseCount(); ++i) {
        Document.CourseNotes[i] = Courses[i]->First.Rec.Note;
        Document.CourseKinds[i] = Courses[i]->Kind;
    }
    Document.CourseCount = static_cast<uint8_t>(CourseCount());
}

void TStrFrame::RebuildCourses(const std::function<void(TOneCrsPanel&)>& load) {
    Courses.clear();
    current_ = -1;
    Built = false;
    BuildCourses();
    try {
        for (const auto& course : Courses)
            load(*course);
    } catch (...) {
        NotifyRows(-1);
        NotifyBridge();
        throw;
    }
    NotifyRows(-1);
    NotifyBridge();
}

void TStrFrame::RefreshTuning() {
    RebuildPitch();
    for (const auto& course : Courses)
        course->Transpose(0, 0);
    NotifyRows(-1);
    NotifyBridge();
}

void TStrFrame::RefreshChoices() {
    for (const auto& course : Courses)
        course->RefreshCourseChoices();
    NotifyRows(-1);
    NotifyBridge();
}

double TStrFrame::TotalTensionNewtons() const {
    double total = 0;
    for (const auto& course : Courses) {
        const double first = course->First.Rec.TensionN;
        total += course->Kind == ck_unison ? 2 * first : first;
        if (course->Second)
            total += course->Second->Rec.TensionN;
    }
    return total;
}

float TStrFrame::TotalTension() const {
    // Every row converted by the one unit of the settings: no row can add another unit in.
    double total = 0;
    for (const auto& course : Courses) {
        const double first = course->First.ShownTension(Settings);
        total += course->Kind == ck_unison ? 2 * first : first;
        if (course->Second)
            total += course->Second->ShownTension(Settings);
    }
    return static_cast<float>(total);
}

void TStrFrame::SelectCourse(int index) {
    if (index < 0 || index >= CourseCount())
        index = -1;
    if (index == current_)
        return;
    const int previous = current_;
    current_ = index;
    if (previous >= 0)
        NotifyRows(previous);
    if (index >= 0)
        NotifyRows(index);
}

void TStrFrame::AppendCourse(uint8_t kind) {
    if (CourseCount() >= MaxCourses)
        return;
    const int n = CourseCount() + 1;
    Document.CourseCount = static_cast<uint8_t>(n);
    Courses.push_back(std::make_unique<TOneCrsPanel>(*this, n));
    Courses.back()->InitCourse(n);
    Courses.back()->SetCourseKind(kind);
    NotifyRows(-1);
}

void TStrFrame::RemoveLastCourse() {
    if (Courses.empty())
        return;
    if (current_ == CourseCount() - 1)
        current_ = -1;
    Courses.pop_back();
    Document.CourseCount = static_cast<uint8_t>(CourseCount());
    NotifyRows(-1);
}

void TStrFrame::NotifyBridge() {
    if (OnBridgeChanged)
        OnBridgeChanged();
}

void TStrFrame::NotifyRows(int index) {
    if (OnRowsChanged)
        OnRowsChanged(index);
}

} // namespace vorn

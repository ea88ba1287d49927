// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The string chart of one document: one course row per course, the document's pitch table,
// the current course and the bridge tension.

#include <functional>
#include <memory>
#include <vector>

#include "chart/CourseOwner.h"
#include "chart/OneCrsPanel.h"

namespace vorn {

class TStrFrame final : public TCourseOwner {
public:
    // Listens to the settings' change notice for as long as it lives.
    TStrFrame(TInstDataType& document, TGlobalData& settings);
    ~TStrFrame();
    TStrFrame(const TStrFrame&) = delete;
    TStrFrame& operator=(const TStrFrame&) = delete;

    std::vector<std::unique_ptr<TOneCrsPanel>> Courses;
    bool Built = false;

    // Told after any change that may alter a tension (the bridge tension).
    std::function<void()> OnBridgeChanged;
    // Told after the rows were added, removed or rebuilt, and after a row's cells changed
    // (index of the row, or -1 for all).
    std::function<void(int)> OnRowsChanged;

    int CourseCount() const { return static_cast<int>(Courses.size()); }
    TOneCrsPanel& Course(int index) { return *Courses.at(index); }

    // Builds the rows from the document once; nothing when built or the document has none.
    void BuildCourses();
    // No rows, as before they were first built.
    void Clear();
    // Copies the rows' first-string notes, kinds and count into the document.
    void StoreCourses();
    // Rebuilds the rows from the document and hands each to `load` in order; the rows count
    // as changed afterwards even when load throws.
    void RebuildCourses(const std::function<void(TOneCrsPanel&)>& load);
    // Pitch table again from the document, then every course transposed by 0.
    void RefreshTuning();
    void RefreshChoices();
    // The bridge in N: first strings (twice for unison) plus octave strings.
    double TotalTensionNewtons() const;
    // The bridge as the rows show it: the sum of the shown tensions, all in the settings'
    // display unit.
    float TotalTension() const;

    // -1 when no course is current.
    int Current() const override { return current_; }
    void SelectCourse(int index) override;

    // Whole-instrument course changes: appends course CourseCount+1 with the given kind, or
    // removes the last course.
    void AppendCourse(uint8_t kind);
    void RemoveLastCourse();

    void NotifyBridge() override;
    void NotifyRows(int index) override;
    void RebuildPitch();

    // What a settings change means for the rows (bits of SettingsChange).
    void SettingsChanged(unsigned changes);

private:
    int current_ = -1;
    int subscription_ = 0;
};

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The Globals menu's seven whole-instrument changes: which they are, their menu order, and
// the dialog each opens with the change it makes after OK.

#include <array>
#include <functional>
#include <memory>

#include "dialogs/GlobalDialog.h"

namespace vorn {

class TGlobalData;
class TInstDataType;
class TStrFrame;

// The numbers are those of the menu items' data.
enum GlobalChangeKind : int {
    gk_tuning = 0,
    gk_course_types = 1,
    gk_courses = 2,
    gk_tension = 3,
    gk_alternatives = 4,
    gk_gut = 5,
    gk_string_length = 6,
};

struct GlobalMenuItem {
    const char* Text;
    GlobalChangeKind Kind;
};

// clang-format off
inline constexpr std::array<GlobalMenuItem, 7> GlobalMenu{{
    {"Courses", gk_courses},   {"Course Types", gk_course_types}, {"Tuning - Pitch", gk_tuning},
    {"String Length", gk_string_length}, {"Tension", gk_tension}, {"Gut Strings", gk_gut},
    {"Alternative Strings", gk_alternatives}}};
// clang-format on

struct GlobalChangeDialog {
    std::unique_ptr<TGlobalDialog> Dialog; // null for a kind that is not one of the seven
    // Applies the dialog's answer to the chart; call only after OK, while Dialog lives.
    std::function<void(TStrFrame&)> Apply;
};

GlobalChangeDialog MakeGlobalChangeDialog(GlobalChangeKind kind, const TInstDataType& document,
                                          const TGlobalData& settings,
                                          const TGlobalDialog::Hooks& hooks, QWidget* parent);

} // namespace vorn

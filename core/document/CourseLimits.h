// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// How many courses a document may have: shared by the document and the instrument templates.

namespace vorn {

constexpr int MaxCourses = 19;
constexpr int MinCourses = 4;

} // namespace vorn

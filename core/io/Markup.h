// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Text written into HTML or SVG: the characters that would start mark-up become entities, so a
// name the user typed stays text.

#include <string>

namespace vorn {

// &, < and > as &amp;, &lt; and &gt;.
std::string EscapeMarkup(const std::string& text);

} // namespace vorn

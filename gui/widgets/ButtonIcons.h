// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Icons of the standard buttons of dialogs.

class QDialogButtonBox;

namespace vorn {

// OK, Cancel and Help take the style's own icons where the style wants icons on dialog
// buttons and its icon draws; otherwise none, rather than an icon that is set but draws
// nothing (a theme entry that cannot be loaded).
void SetStandardButtonIcons(QDialogButtonBox* box);

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace vorn {

// The shell's icons, help pages and program page live in a static library's resources, which
// the linker drops unless something registers them.
void InitAppResources();

} // namespace vorn

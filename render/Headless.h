// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// For the programs that drive the window without a screen (screenshots, benchmarks): call
// before the application object is made.

#include <QTemporaryDir>

#include <memory>

namespace vorn {

// Offscreen unless a platform is chosen; a private runtime folder when none is set (Qt warns
// without one). Keep the returned folder alive as long as the application.
std::unique_ptr<QTemporaryDir> PrepareHeadless();

} // namespace vorn

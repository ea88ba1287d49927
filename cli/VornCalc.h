// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <ostream>

namespace vorn::calc {

// Runs one vorn-calc command line. Returns the process exit code: 0 done, 1 a file was
// refused, 2 bad input (the message is on err).
int RunVornCalc(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

} // namespace vorn::calc

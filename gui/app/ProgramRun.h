// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The program from start to exit, as main() runs it: the application object, where the
// settings and the recovery copies live, the window, and the files named on the command line.

#include <functional>

namespace vorn {

class TMainForm;

// The exit code. `started`, when given, gets the window once it is shown and before the event
// loop runs, so that a test's driver can work the program exactly as main() starts it.
int RunProgram(int argc, char* argv[], const std::function<void(TMainForm&)>& started = {});

} // namespace vorn

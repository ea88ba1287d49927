// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What a user does in the window, each from a prepared state to the repainted result: the
// benchmarks time them and the instruction budget counts them, so both measure the same work.
// Every run changes something (two settings in turn) so that nothing is skipped as unchanged.

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vorn {

class GuiAction {
public:
    virtual ~GuiAction() = default;
    // Untimed work before each run (a new document to build the chart of).
    virtual void Prepare() {}
    // The action, with the event loop run until its layout and paint are done.
    virtual void Run() = 0;
    // Untimed work after each run (closing what Run opened).
    virtual void Finish() {}
};

struct GuiActionEntry {
    std::string Name; // as the budget file and the benchmark list it
    // Makes the action; files it needs go into the folder given, which outlives it.
    std::function<std::unique_ptr<GuiAction>(const QString& folder)> Make;
};

// Every action, in the order the tables list them. Needs a QApplication.
const std::vector<GuiActionEntry>& GuiActions();

// Runs the event loop until the posted layout requests are handled.
void SettleEvents();

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

// The window's actions for the instruction budget: run under callgrind with
// --collect-atstart=no (and --instr-atstart=no), it counts only the actions themselves and dumps
// one profile per action, named after it. scripts/check-perf-budget.py reads the profiles and holds
// them against bench/perf-budget.txt.
//
// perf_actions [--runs N] [--list] [NAME...]: every action, or those named; each runs once
// to warm up, then N times (default 2) counted.

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <valgrind/callgrind.h>

#include "GuiActions.h"
#include "Headless.h"

using namespace vorn;

int main(int argc, char** argv) {
    const auto runtime = PrepareHeadless();
    QApplication app(argc, argv);
    int runs = 2;
    std::set<std::string> wanted;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else if (arg == "--list") {
            for (const GuiActionEntry& entry : GuiActions())
                std::printf("%s\n", entry.Name.c_str());
            return 0;
        } else if (arg.starts_with("-")) {
            std::fprintf(stderr, "usage: perf_actions [--runs N] [--list] [NAME...]\n");
            return 2;
        } else {
            wanted.insert(arg);
        }
    }
    if (runs < 1) {
        std::fprintf(stderr, "perf_actions: --runs needs a positive count\n");
        return 2;
    }
    QTemporaryDir work;
    // Under --instr-atstart=no the start of the program runs at full speed.
    CALLGRIND_START_INSTRUMENTATION;
    int done = 0;
    for (const GuiActionEntry& entry : GuiActions()) {
        if (!wanted.empty() && !wanted.count(entry.Name))
            continue;
        const auto action = entry.Make(work.path());
        action->Prepare();
        action->Run();
        action->Finish();
        CALLGRIND_ZERO_STATS;
        for (int run = 0; run < runs; ++run) {
            action->Prepare();
            CALLGRIND_TOGGLE_COLLECT;
            action->Run();
            CALLGRIND_TOGGLE_COLLECT;
            action->Finish();
        }
        CALLGRIND_DUMP_STATS_AT(entry.Name.c_str());
        std::printf("%s: %d runs\n", entry.Name.c_str(), runs);
        std::fflush(stdout);
        ++done;
    }
    if (done != static_cast<int>(wanted.empty() ? GuiActions().size() : wanted.size())) {
        std::fprintf(stderr, "perf_actions: an action named is not known (see --list)\n");
        return 2;
    }
    return 0;
}

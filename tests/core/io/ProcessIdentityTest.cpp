// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "io/ProcessIdentity.h"
#include "support/CaseName.h"

namespace vorn {
namespace {

struct StatCase {
    const char* name;
    const char* text;
    std::optional<char> state; // empty: refused
    uint64_t start;
};

// Fields 4 to 21 between the state and the start time.
#define MIDDLE " 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 "

const StatCase StatCases[] = {
    {"plain", "4242 (vorn) S" MIDDLE "987654 19 20\n", 'S', 987654},
    {"name with blanks and parentheses", "4242 (a) b (c) R" MIDDLE "77 0\n", 'R', 77},
    {"ended, waiting for its parent", "9 (vorn) Z" MIDDLE "5\n", 'Z', 5},
    {"cut before the start", "9 (vorn) S 1 2 3", std::nullopt, 0},
    {"start not a number", "9 (vorn) S" MIDDLE "5x 6\n", std::nullopt, 0},
};

class ProcessStatText : public ::testing::TestWithParam<StatCase> {};

TEST_P(ProcessStatText, GivesStateAndStartOrNothing) {
    const StatCase& c = GetParam();
    const std::optional<ProcessStat> stat = ParseProcessStat(c.text);
    ASSERT_EQ(stat.has_value(), c.state.has_value());
    if (stat) {
        EXPECT_EQ(stat->State, *c.state);
        EXPECT_EQ(stat->Start, c.start);
    }
}

INSTANTIATE_TEST_SUITE_P(All, ProcessStatText, ::testing::ValuesIn(StatCases),
                         [](const auto& info) { return vorn::testing::CaseName(info.param.name); });

// A child that ends at once; reaped unless `leaveZombie`.
pid_t endedChild(bool leaveZombie) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(0);
    if (!leaveZombie) {
        ::waitpid(pid, nullptr, 0);
        return pid;
    }
    for (int i = 0; i < 500; ++i) {
        const std::optional<ProcessStat> stat = ReadProcessStat(pid);
        if (stat && stat->State == 'Z')
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return pid;
}

TEST(ProcessIdentity, KnowsItsOwnProcess) {
    const ProcessIdentity self = ThisProcess();
    EXPECT_EQ(self.Pid, static_cast<long>(::getpid()));
    EXPECT_FALSE(self.Host.empty());
    // Linux tells the start time and the boot; the rest of the rules rely on them here.
    EXPECT_GT(self.Start, 0u);
    EXPECT_FALSE(self.Boot.empty());
    EXPECT_EQ(StateOf(self, self), ps_running);
    EXPECT_EQ(StateOf(ThisProcess(), self), ps_running);
}

TEST(ProcessIdentity, TellsAnEndedProcessFromARunningOne) {
    const ProcessIdentity self = ThisProcess();
    const auto as = [&self](long pid, uint64_t start) {
        ProcessIdentity other = self;
        other.Pid = pid;
        other.Start = start;
        return other;
    };
    const pid_t reaped = endedChild(false);
    EXPECT_EQ(StateOf(as(reaped, self.Start), self), ps_ended);

    const pid_t zombie = endedChild(true);
    const std::optional<ProcessStat> zombieStat = ReadProcessStat(zombie);
    ASSERT_TRUE(zombieStat);
    EXPECT_EQ(StateOf(as(zombie, zombieStat->Start), self), ps_ended);
    ::waitpid(zombie, nullptr, 0);

    const pid_t sleeper = ::fork();
    if (sleeper == 0) {
        ::pause();
        ::_exit(0);
    }
    const std::optional<ProcessStat> sleeperStat = ReadProcessStat(sleeper);
    ASSERT_TRUE(sleeperStat);
    EXPECT_EQ(StateOf(as(sleeper, sleeperStat->Start), self), ps_running);
    // Its id now belongs to another process: the start time gives that away.
    EXPECT_EQ(StateOf(as(sleeper, sleeperStat->Start + 1), self), ps_ended);
    ::kill(sleeper, SIGKILL);
    ::waitpid(sleeper, nullptr, 0);
    EXPECT_EQ(StateOf(as(sleeper, sleeperStat->Start), self), ps_ended);
}

TEST(ProcessIdentity, JudgesOnlyProcessesOfThisMachineSinceItStarted) {
    const ProcessIdentity self = ThisProcess();
    ProcessIdentity otherBoot = self;
    otherBoot.Boot = "00000000-0000-0000-0000-000000000000";
    EXPECT_EQ(StateOf(otherBoot, self), ps_ended);

    // Another machine sharing the folder: its process may well run, whatever runs here.
    ProcessIdentity otherHost = self;
    otherHost.Host = self.Host + "-elsewhere";
    otherHost.Pid = endedChild(false);
    EXPECT_EQ(StateOf(otherHost, self), ps_unknown);
}

} // namespace
} // namespace vorn

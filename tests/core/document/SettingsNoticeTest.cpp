// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <vector>

#include "document/GlobalData.h"

namespace vorn {
namespace {

TEST(SettingsNotice, ScratchCopiesNeitherTakeNorDropListeners) {
    TGlobalData live;
    std::vector<unsigned> heard;
    live.Notice.Subscribe([&](unsigned changes) { heard.push_back(changes); });

    TGlobalData scratch = live; // the options dialog's copy
    EXPECT_EQ(scratch.Notice.ListenerCount(), 0);
    scratch.NotifyChanged(sc_materials);
    EXPECT_TRUE(heard.empty());

    scratch.TensionDigits = -3;
    live = scratch; // copied back on OK
    EXPECT_EQ(live.TensionDigits, -3);
    live.NotifyChanged(sc_tension_unit | sc_materials);
    EXPECT_EQ(heard, std::vector<unsigned>{sc_tension_unit | sc_materials});
}

TEST(SettingsNotice, ListenersMayLeaveWhileBeingTold) {
    SettingsNotice notice;
    int first = 0, second = 0;
    int secondId = 0;
    notice.Subscribe([&](unsigned) {
        ++first;
        notice.Unsubscribe(secondId); // a chart closed by the first listener
    });
    secondId = notice.Subscribe([&](unsigned) { ++second; });
    notice.Notify(sc_materials);
    notice.Notify(sc_materials);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(notice.ListenerCount(), 1);
}

} // namespace
} // namespace vorn

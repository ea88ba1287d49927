// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What a course row needs of the chart it sits in: the document, the settings and the pitch
// table it reads, which course is current, and whom to tell after a change. The chart is
// one such owner; a row knows nothing else of it.

#include "chart/ChartEdit.h"
#include "document/GlobalData.h"
#include "document/InstDataType.h"
#include "pitch/FrequencyRecord.h"

namespace vorn {

class TCourseOwner {
public:
    TCourseOwner(TInstDataType& document, TGlobalData& settings)
        : Document(document), Settings(settings) {}
    TCourseOwner(const TCourseOwner&) = delete;
    TCourseOwner& operator=(const TCourseOwner&) = delete;

    TInstDataType& Document;
    TGlobalData& Settings;
    FrequencyRecord Pitch;
    // Noted by every cell edit of a row; taken and cleared by whoever records the change.
    ChartEdit LastEdit;

    // -1 when no course is current.
    virtual int Current() const = 0;
    virtual void SelectCourse(int index) = 0;
    // After any change that may alter a tension (the bridge tension).
    virtual void NotifyBridge() = 0;
    // After a row's cells changed (index of the row, or -1 for all).
    virtual void NotifyRows(int index) = 0;

protected:
    ~TCourseOwner() = default;
};

} // namespace vorn

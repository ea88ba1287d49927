// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Help on a control: every page and control may carry the number of its help topic; the
// main window shows the topic of the focused control or of its nearest owner.

class QWidget;

namespace vorn {

// Widgets carry their context number in this dynamic property.
inline constexpr const char* HelpContextProperty = "helpContext";
void SetHelpContext(QWidget* widget, int context);
// The context of the widget or of its nearest owner that has one; 0 when none has.
int HelpContextOf(const QWidget* widget);

// Topics of the document pages.
inline constexpr int FretChartHelpContext = 30;
inline constexpr int FitTemperamentHelpContext = 35;
inline constexpr int PlacementChartHelpContext = 40;
inline constexpr int FileSetupHelpContext = 50;
inline constexpr int StringChartHelpContext = 60;

} // namespace vorn

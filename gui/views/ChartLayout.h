// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the string chart's rows and header share: column geometry, row colours, the row's
// cell slots and the pictures every row shows alike. Pixel sizes live here, not in the model.

#include <QColor>
#include <QIcon>
#include <QPalette>

#include <array>
#include <functional>

#include "pitch/NoteValue.h"

class QAbstractButton;

namespace vorn {

// Geometry shared by the rows and the chart's header, in row coordinates.
namespace ChartLayout {
inline constexpr int SectionCount = 8;
// "Course", "Type", "Tuning - Frequency", "Length", "Tension", "Gut Diam.", "Alt. Material",
// "Alt. Diameter"; the last one stretches.
inline constexpr std::array<int, SectionCount> SectionWidths{52, 103, 115, 60, 80, 60, 100, 120};
inline constexpr int NumberWidth = 27; // the course number shares "Course" with the play button
inline constexpr int PlayWidth = 25;
inline constexpr int StringHeight = 25; // one string's line; a course with an octave has two
inline constexpr int MinAltDiameterWidth = 90;
// Cell widths of slots 0..5 (type .. alternative choice), kept inside their header sections
// less a pixel of grid; the alternative diameter takes the rest of the row.
inline constexpr std::array<int, 6> CellWidths{100, 116, 60, 80, 60, 100};
int SectionLeft(int section);
int FixedWidth(); // everything left of the alternative diameter
} // namespace ChartLayout

// Current and normal rows: background and text.
struct TRowColours {
    QColor CurrentBackground;
    QColor NormalBackground;
    QColor CurrentText;
    QColor NormalText;
    QColor LimitText;     // out-of-limit values, on either background; also close to breaking
    QColor NearBreakText; // amber: within two semitones of breaking, on either background
};
const TRowColours& RowColours();
// The row colours as a palette for the cells (active and inactive groups).
QPalette RowPalette(bool current);

// What every row of one chart shows alike, made once for all of them rather than per row.
class TRowResources {
public:
    const QIcon& PlayIcon();
    // Where a string's play button sends its tone: whole Hz and note, and the button that
    // asked; Stop when it is let go. Unset, the buttons are silent.
    std::function<void(int frequency, const NoteValue& note, QAbstractButton* button)> Play;
    std::function<void()> Stop;

private:
    QIcon playIcon_;
};

// Cell slots of one string, left to right; the column numbers of the keyboard navigation are
// 2 + 2 * slot for a first string and 3 + 2 * slot for an octave string.
enum TCellSlot {
    cs_type = 0,
    cs_note,
    cs_length,
    cs_tension,
    cs_gut,
    cs_alt_choice,
    cs_alt_diameter,
    cs_count
};

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/ChartLayout.h"

#include "widgets/SvgIcon.h"

namespace vorn {

namespace ChartLayout {

int SectionLeft(int section) {
    int left = 0;
    for (int i = 0; i < section && i < SectionCount; ++i)
        left += SectionWidths[i];
    return left;
}

int FixedWidth() {
    return SectionLeft(SectionCount - 1);
}

} // namespace ChartLayout

const TRowColours& RowColours() {
    // A pale selection keeps dark and red text readable on the current course.
    static const TRowColours colours{QColor(0xcf, 0xe0, 0xf6), QColor(0xff, 0xff, 0xff),
                                     QColor(0x0b, 0x1f, 0x4a), QColor(0x1a, 0x1a, 0x1a),
                                     QColor(0xd0, 0x10, 0x10), QColor(0x9a, 0x52, 0x00)};
    return colours;
}

QPalette RowPalette(bool current) {
    const TRowColours& colours = RowColours();
    const QColor& background = current ? colours.CurrentBackground : colours.NormalBackground;
    const QColor& text = current ? colours.CurrentText : colours.NormalText;
    QPalette p;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window, QPalette::Button})
            p.setColor(group, role, background);
        for (QPalette::ColorRole role :
             {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
            p.setColor(group, role, text);
    }
    return p;
}

const QIcon& TRowResources::PlayIcon() {
    if (playIcon_.isNull())
        playIcon_ = SvgIcon(QStringLiteral(":/app/icons/play-small.svg"));
    return playIcon_;
}

} // namespace vorn

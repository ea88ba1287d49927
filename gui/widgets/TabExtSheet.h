// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A page of TPageExtControl: its caption, tab icon and the colours its tab is drawn in.

#include <QColor>
#include <QIcon>
#include <QPalette>
#include <QPointer>
#include <QWidget>

namespace vorn {

class TPageExtControl;

// Tab colours. The defaults come from the palette: page colour the button face, the active
// tab in the highlight colours, the others in button colours.
struct TTabColors {
    QColor Color;             // page background
    QColor ActiveFontColor;   // caption of the active tab
    QColor InActiveFontColor; // caption of the other tabs
    QColor ActiveFill1;       // fill of the active tab; gradient start
    QColor ActiveFill2;       // gradient end of the active tab
    QColor InActivefill1;     // fill of the other tabs; gradient end
    QColor InActivefill2;     // gradient start of the other tabs

    static TTabColors FromPalette(const QPalette& palette);
    bool operator==(const TTabColors&) const = default;
};

class TTabExtSheet : public QWidget {
    Q_OBJECT
public:
    explicit TTabExtSheet(QWidget* parent = nullptr);

    // While attached to a control with close glyphs the control keeps the caption trimmed
    // and followed by five blanks (room for the glyph).
    QString Caption() const { return caption_; }
    // Virtual so that a page can shape its caption whoever sets it.
    virtual void SetCaption(const QString& caption);

    const TTabColors& Colors() const { return colors_; }
    // Repaints the page's tab.
    void SetColors(const TTabColors& colors);

    QIcon Image() const { return image_; }
    void SetImage(const QIcon& image);
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool visible);

    // The control the page is attached to, or null.
    TPageExtControl* PageControl() const;
    // Position of the page's tab, -1 while detached.
    int PageIndex() const;

private:
    friend class TPageExtControl;
    void applyBackground();

    QString caption_;
    TTabColors colors_;
    QIcon image_;
    bool tabVisible_ = true;
    QPointer<TPageExtControl> control_;
};

} // namespace vorn

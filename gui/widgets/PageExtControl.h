// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The document tabs: a tab widget whose tabs carry a close glyph, can be coloured per page and
// report which mouse button hit them.

#include <QTabWidget>

#include <functional>

#include "widgets/PageExtTabBar.h"
#include "widgets/TabExtSheet.h"

namespace vorn {

// The side of the tabs is QTabWidget's tabPosition: North (top, the default), South, West, East.
// currentChanged(int) is the change event after the active page changed.
class TPageExtControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TPageExtControl(QWidget* parent = nullptr);

    // Every tab shows a close glyph. Default false.
    bool CloseBtn() const { return closeBtn_; }
    void SetCloseBtn(bool on);
    // The glyph is a 12 x 12 box; otherwise the tab's last 20 pixels. Default true.
    bool SmallCloseBtn() const { return smallCloseBtn_; }
    void SetSmallCloseBtn(bool on);
    // Tabs drawn in their pages' colours; otherwise by the style. Default false.
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool on);
    // Two-colour gradient instead of a plain fill (not while HotTrack is on). Default false.
    bool TabFillGradient() const { return fillGradient_; }
    void SetTabFillGradient(bool on);
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool on);
    // Dragging a tab and releasing it over another tab moves the page there. Default false.
    bool TabDragDrop() const { return tabDragDrop_; }
    void SetTabDragDrop(bool on) { tabDragDrop_ = on; }

    // Asked before a tab is closed by its glyph; canClose starts true.
    std::function<void(int index, bool& canClose)> OnTabClose;
    // A press on a tab outside the close glyph: the tab under the pointer and the button.
    std::function<void(int index, Qt::MouseButton button)> OnTabClick;

    // Appends the page as the last tab (taking it from another control first); its index.
    int AttachPage(TTabExtSheet* page);
    // Removes the page's tab without destroying the page, which stays a hidden child until its
    // owner releases it. The page after it (wrapping to the first) becomes active.
    void DetachPage(QWidget* page);
    void SetActivePage(QWidget* page);
    // The active page as a sheet; null when none or when it is not a TTabExtSheet.
    TTabExtSheet* ActivePage() const;
    int ActivePageIndex() const { return currentIndex(); }
    int PageCount() const { return count(); }
    // The page at index as a sheet, or null.
    TTabExtSheet* Page(int index) const;

    TPageExtTabBar* ExtTabBar() const { return bar_; }
    // The caption shown for a page caption: trimmed, and five blanks added with CloseBtn.
    QString TabCaption(const QString& caption) const;

private:
    friend class TTabExtSheet;
    friend class TPageExtTabBar;

    void syncTab(TTabExtSheet* page);
    void syncAllTabs();
    void repaintTab(TTabExtSheet* page);
    // From the tab bar.
    void closeByGlyph(int index);
    void reportClick(int index, Qt::MouseButton button);
    void moveActiveTo(int index);

    TPageExtTabBar* bar_;
    bool closeBtn_ = false;
    bool smallCloseBtn_ = true;
    bool ownerDraw_ = false;
    bool fillGradient_ = false;
    bool hotTrack_ = false;
    bool tabDragDrop_ = false;
};

} // namespace vorn

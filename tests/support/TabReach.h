// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Keyboard reach in widget tests: whether Tab, pressed on the control before it, lands on a
// control.

#include <QtTest>

#include <QApplication>
#include <QWidget>

namespace vorn::testing {

// The nearest control before `target` in its window's focus chain that Tab stops at; null
// when there is none.
inline QWidget* TabStopBefore(QWidget* target) {
    for (QWidget* w = target->previousInFocusChain(); w && w != target;
         w = w->previousInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled())
            return w;
    }
    return nullptr;
}

// Focuses the stop before `target` and presses Tab; true when the focus then is on target.
// The window must be active.
inline bool ReachedByTab(QWidget* target) {
    QWidget* before = TabStopBefore(target);
    if (!before)
        return false;
    before->setFocus(Qt::TabFocusReason);
    if (QApplication::focusWidget() != before)
        return false;
    QTest::keyClick(before, Qt::Key_Tab);
    return QApplication::focusWidget() == target;
}

} // namespace vorn::testing

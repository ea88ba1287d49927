// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/PageFocus.h"

#include <QApplication>
#include <QWidget>

namespace vorn {

void FocusIntoPage(QWidget* page) {
    QWidget* focus = QApplication::focusWidget();
    if (!page || (focus && page->isAncestorOf(focus)))
        return;
    for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (!page->isAncestorOf(w))
            break;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(page) && w->isEnabled()) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    page->setFocus(Qt::OtherFocusReason);
}

} // namespace vorn

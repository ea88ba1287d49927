// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The application's style, with the frames of entry cells drawn once per size, state and
// colours and then copied (their small buttons keep copies of their own). A chart shows some
// four hundred such cells, and Fusion draws each frame as antialiased curves: redrawn cell by
// cell that was most of the cost of showing new figures. The copies are the style's own
// drawing, so they look exactly the same.

#include <QProxyStyle>

class QWidget;

namespace vorn {

class TCachedPanelStyle : public QProxyStyle {
    Q_OBJECT
public:
    // The one instance, owned by the application.
    static TCachedPanelStyle* Shared();
    // Gives `widget` this style; the widgets inside it keep theirs (the spin buttons keep
    // copies of their own).
    static void Use(QWidget* widget);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

private:
    TCachedPanelStyle();
};

} // namespace vorn

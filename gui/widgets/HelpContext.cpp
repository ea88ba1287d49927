// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/HelpContext.h"

#include <QVariant>
#include <QWidget>

namespace vorn {

void SetHelpContext(QWidget* widget, int context) {
    if (widget)
        widget->setProperty(HelpContextProperty, context);
}

int HelpContextOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant value = w->property(HelpContextProperty);
        if (value.isValid() && value.toInt() > 0)
            return value.toInt();
    }
    return 0;
}

} // namespace vorn

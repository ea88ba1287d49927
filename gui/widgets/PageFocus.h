// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Focus for a page just brought to the front.

class QWidget;

namespace vorn {

// Focus to the page's first control that takes Tab focus, or to the page itself; a page that
// holds the focus already keeps it where it is. The button that showed the page keeps none:
// F1 and the keys belong to the page.
void FocusIntoPage(QWidget* page);

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/AppResources.h"

#include <QtGlobal>

static void registerAppResources() {
    Q_INIT_RESOURCE(app);
}

namespace vorn {

void InitAppResources() {
    static const bool done = [] {
        registerAppResources();
        return true;
    }();
    (void)done;
}

} // namespace vorn

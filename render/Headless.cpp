// SPDX-License-Identifier: GPL-3.0-or-later

#include "Headless.h"

#include <QFile>

namespace vorn {

std::unique_ptr<QTemporaryDir> PrepareHeadless() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return nullptr;
    auto runtime = std::make_unique<QTemporaryDir>();
    QFile::setPermissions(runtime->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime->path()));
    return runtime;
}

} // namespace vorn

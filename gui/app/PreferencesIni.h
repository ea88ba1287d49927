// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The preferences file beside the settings file, written through QSettings and read, as the
// calculator reads it, with the core's reader.

#include <QString>

#include "files/PreferencesFile.h"

namespace vorn {

// A missing or unreadable file gives the defaults.
Preferences ReadPreferencesIni(const QString& path);
// false when the file could not be written; the preferences are then lost, nothing else.
bool WritePreferencesIni(const QString& path, const Preferences& preferences);

} // namespace vorn

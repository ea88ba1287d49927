// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/PreferencesIni.h"

#include <QFile>
#include <QSettings>

#include "io/NumberText.h"

namespace vorn {

namespace {

QString key(const char* group, const char* name) {
    return QLatin1String(group) + QLatin1Char('/') + QLatin1String(name);
}

} // namespace

Preferences ReadPreferencesIni(const QString& path) {
    // The core's reader, which the calculator uses too: its lists are capped, where QSettings
    // would size its loops by whatever count the file gives.
    return LoadPreferencesFile(QFile::encodeName(path).toStdString());
}

bool WritePreferencesIni(const QString& path, const Preferences& preferences) {
    QSettings ini(path, QSettings::IniFormat);
    ini.clear();
    ini.setValue(key(PrefViewGroup, PrefProfileKey), preferences.TensionProfileVisible);
    if (!preferences.LastFolder.empty())
        ini.setValue(key(PrefFilesGroup, PrefLastFolderKey),
                     QString::fromStdString(preferences.LastFolder));
    ini.setValue(key(PrefOrderGroup, PrefByAlternativeKey), preferences.OrderByAlternative);
    ini.beginWriteArray(QLatin1String(PrefBreakingArray),
                        static_cast<int>(preferences.BreakingIndexes.size()));
    for (int i = 0; i < static_cast<int>(preferences.BreakingIndexes.size()); ++i) {
        const MaterialBreakingIndex& entry = preferences.BreakingIndexes[i];
        ini.setArrayIndex(i);
        ini.setValue(QLatin1String(PrefMaterialKey), QString::fromStdString(entry.Material));
        ini.setValue(QLatin1String(PrefIndexKey),
                     QString::fromStdString(FormatShortest(static_cast<float>(entry.Index))));
    }
    ini.endArray();
    ini.beginWriteArray(QLatin1String(PrefRecentArray),
                        static_cast<int>(preferences.RecentFiles.size()));
    for (int i = 0; i < static_cast<int>(preferences.RecentFiles.size()); ++i) {
        ini.setArrayIndex(i);
        ini.setValue(QLatin1String(PrefPathKey),
                     QString::fromStdString(preferences.RecentFiles[i]));
        if (i < static_cast<int>(preferences.RecentUsed.size()) && preferences.RecentUsed[i] > 0)
            ini.setValue(QLatin1String(PrefUsedKey),
                         QString::number(static_cast<qlonglong>(preferences.RecentUsed[i])));
    }
    ini.endArray();
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace vorn

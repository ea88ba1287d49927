// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/PreferencesIni.h"

#include <QSettings>

#include "files/RecentFiles.h"
#include "io/NumberText.h"

namespace vorn {

namespace {

QString key(const char* group, const char* name) {
    return QLatin1String(group) + QLatin1Char('/') + QLatin1String(name);
}

} // namespace

Preferences ReadPreferencesIni(const QString& path) {
    Preferences prefs;
    QSettings ini(path, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        return prefs;
    prefs.TensionProfileVisible = ini.value(key(PrefViewGroup, PrefProfileKey)).toBool();
    prefs.LastFolder = ini.value(key(PrefFilesGroup, PrefLastFolderKey)).toString().toStdString();
    const int count = ini.beginReadArray(QLatin1String(PrefBreakingArray));
    for (int i = 0; i < count; ++i) {
        ini.setArrayIndex(i);
        const QVariant name = ini.value(QLatin1String(PrefMaterialKey));
        // Figures are written with '.', which QLocale would misread on a German desktop.
        double index = 0;
        if (name.isValid() &&
            ParseNumber(ini.value(QLatin1String(PrefIndexKey)).toString().toStdString(), index))
            prefs.BreakingIndexes.push_back({name.toString().toStdString(), index});
    }
    ini.endArray();
    std::vector<std::string> recent;
    const int files = ini.beginReadArray(QLatin1String(PrefRecentArray));
    for (int i = 0; i < files; ++i) {
        ini.setArrayIndex(i);
        recent.push_back(ini.value(QLatin1String(PrefPathKey)).toString().toStdString());
    }
    ini.endArray();
    prefs.RecentFiles = TidyRecentFiles(recent);
    return prefs;
}

bool WritePreferencesIni(const QString& path, const Preferences& preferences) {
    QSettings ini(path, QSettings::IniFormat);
    ini.clear();
    ini.setValue(key(PrefViewGroup, PrefProfileKey), preferences.TensionProfileVisible);
    if (!preferences.LastFolder.empty())
        ini.setValue(key(PrefFilesGroup, PrefLastFolderKey),
                     QString::fromStdString(preferences.LastFolder));
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
    }
    ini.endArray();
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace vorn

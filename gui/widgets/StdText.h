// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Text between the core (UTF-8 std::string) and Qt. Figures meant for the screen go through
// LocalNumbers instead, which also takes the user's decimal separator.

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace vorn {

inline QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

inline QStringList QStrings(const std::vector<std::string>& items) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items)
        list << QString::fromStdString(item);
    return list;
}

inline std::vector<std::string> StdStrings(const QStringList& list) {
    std::vector<std::string> items;
    items.reserve(static_cast<size_t>(list.size()));
    for (const QString& item : list)
        items.push_back(item.toStdString());
    return items;
}

} // namespace vorn

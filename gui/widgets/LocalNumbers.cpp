// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/LocalNumbers.h"

#include "io/NumberText.h"

namespace vorn {

QString LocalNumbers(const QString& text, const QLocale& locale) {
    const QString point = locale.decimalPoint();
    if (point == QStringLiteral("."))
        return text;
    return QString::fromStdString(LocalDecimals(text.toStdString(), point.toStdString()));
}

char AsciiDecimalPoint(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    return point.size() == 1 && point.at(0).unicode() < 128 ? char(point.at(0).unicode()) : '.';
}

} // namespace vorn

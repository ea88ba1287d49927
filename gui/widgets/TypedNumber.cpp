// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/TypedNumber.h"

#include <QLocale>

#include <cmath>

namespace vorn {

std::optional<double> ReadTypedNumber(const QString& text) {
    QString plain = text.trimmed();
    plain.replace(u',', u'.');
    // In the C locale ',' is the group separator; with none left, a second '.' is malformed.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(plain, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool IsDecimalSeparator(QChar c) {
    return c == u'.' || c == u',';
}

} // namespace vorn

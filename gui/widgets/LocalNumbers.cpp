#include "widgets/LocalNumbers.h"

namespace vorn {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

QString LocalNumbers(const QString& text, const QLocale& locale) {
    const QString point = locale.decimalPoint();
    if (point == QStringLiteral("."))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool decimal = text[i] == u'.' && i > 0 && i + 1 < text.size() &&
                             isDigit(text[i - 1]) && isDigit(text[i + 1]);
        if (decimal)
            out += point;
        else
            out += text[i];
    }
    return out;
}

} // namespace vorn

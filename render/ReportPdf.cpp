// SPDX-License-Identifier: GPL-3.0-or-later

#include "ReportPdf.h"

#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace vorn {

namespace {

// The unit of the report's widths ("704"): the CSS pixel.
constexpr double PixelsPerInch = 96;

} // namespace

bool ReportPageIsLetter() {
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem;
}

bool WriteReportPdf(const QString& html, const QString& path, bool letter, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(QFileInfo(path).completeBaseName());
        writer.setCreator(QStringLiteral("Vorn"));
        writer.setPageSize(QPageSize(letter ? QPageSize::Letter : QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        QTextDocument document;
        document.setHtml(html);
        // Laid out at the printable width, or wider where a table or picture needs it; a
        // page of the printable area's shape is then scaled by print() to fit that area.
        const QRectF printable = writer.pageLayout().paintRect(QPageLayout::Inch);
        const double natural = printable.width() * PixelsPerInch;
        document.setTextWidth(natural);
        const double width = std::max(natural, std::ceil(document.idealWidth()));
        document.setPageSize(QSizeF(width, width * printable.height() / printable.width()));
        document.print(&writer);
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace vorn

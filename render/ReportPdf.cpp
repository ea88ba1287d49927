// SPDX-License-Identifier: GPL-3.0-or-later

#include "ReportPdf.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

#include "io/AtomicFile.h"

namespace vorn {

namespace {

// The unit of the report's widths ("704"): the CSS pixel.
constexpr double PixelsPerInch = 96;

} // namespace

bool ReportPageIsLetter() {
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem;
}

bool WriteReportPdf(const QString& html, const std::string& path, bool letter, std::string* error) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(
            QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).completeBaseName());
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
    return WriteFileAtomically(path, buffer.data().toStdString(), error);
}

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#include "TemplatePdf.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "io/AtomicFile.h"

namespace vorn {

bool WriteFretTemplatePdf(const std::vector<TemplatePage>& pages, const TemplatePaper& paper,
                          const std::string& path, std::string* error) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        constexpr int Dpi = 1200;
        writer.setResolution(Dpi);
        writer.setCreator(QStringLiteral("Vorn"));
        writer.setTitle(QStringLiteral("Fret template"));
        writer.setPageSize(QPageSize(QSizeF(paper.Width, paper.Height), QPageSize::Millimeter));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        // Device units per millimetre; text sizes are physical points, so they need no scale.
        const double k = Dpi / 25.4;
        QPainter painter(&writer);
        if (!painter.isActive()) {
            if (error)
                *error = "the PDF could not be drawn";
            return false;
        }
        for (size_t i = 0; i < pages.size(); ++i) {
            if (i > 0)
                writer.newPage();
            for (const TemplateShape& s : pages[i].Shapes) {
                if (s.Shape == TemplateShape::ts_text) {
                    QFont font(QStringLiteral("DejaVu Sans"));
                    font.setPointSizeF(s.Size / 25.4 * 72.0);
                    painter.setFont(font);
                    painter.setPen(Qt::black);
                    painter.drawText(QPointF(s.X1 * k, s.Y1 * k), QString::fromStdString(s.Text));
                    continue;
                }
                QPen pen(Qt::black, s.Width * k);
                if (s.Dashed)
                    pen.setDashPattern({2.0 / s.Width, 1.2 / s.Width});
                painter.setPen(pen);
                if (s.Shape == TemplateShape::ts_line)
                    painter.drawLine(QPointF(s.X1 * k, s.Y1 * k), QPointF(s.X2 * k, s.Y2 * k));
                else
                    painter.drawRect(
                        QRectF(QPointF(s.X1 * k, s.Y1 * k), QPointF(s.X2 * k, s.Y2 * k)));
            }
        }
    }
    return WriteFileAtomically(path, buffer.data().toStdString(), error);
}

} // namespace vorn

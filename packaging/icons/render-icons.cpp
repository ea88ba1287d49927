// SPDX-License-Identifier: GPL-3.0-or-later

// vorn-render-icons INPUT.svg OUTPUT-FOLDER SIZE...: renders a scalable icon into square PNGs,
// OUTPUT-FOLDER/<size>x<size>/<name>.png, the layout of the icon theme's fixed-size folders.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Builds have no display; the offscreen platform ships with Qt Gui itself.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: vorn-render-icons INPUT.svg OUTPUT-FOLDER SIZE...\n");
        return 2;
    }
    const QString input = args.at(1);
    const QString folder = args.at(2);
    const QString name = QFileInfo(input).completeBaseName();

    QSvgRenderer renderer(input);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "vorn-render-icons: cannot read %s\n", qPrintable(input));
        return 1;
    }
    for (qsizetype i = 3; i < args.size(); ++i) {
        bool ok = false;
        const int size = args.at(i).toInt(&ok);
        if (!ok || size < 1 || size > 1024) {
            std::fprintf(stderr, "vorn-render-icons: '%s' is not a size in pixels\n",
                         qPrintable(args.at(i)));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();

        const QString sizeFolder = QStringLiteral("%1/%2x%2").arg(folder).arg(size);
        const QString path = sizeFolder + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!QDir().mkpath(sizeFolder) || !image.save(path, "PNG")) {
            std::fprintf(stderr, "vorn-render-icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

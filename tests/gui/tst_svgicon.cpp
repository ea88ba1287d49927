// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QDir>
#include <QIcon>
#include <QImage>
#include <QPainter>

#include "app/AppResources.h"
#include "widgets/SvgIcon.h"

using namespace vorn;

// The icons read when first drawn must look exactly as Qt's own SVG icons of the same files,
// in every size and mode the window asks for.
class TestSvgIcon : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitAppResources(); }

    void samePixels_data() {
        QTest::addColumn<QString>("path");
        const QDir icons(QStringLiteral(":/app/icons"));
        const QStringList names = icons.entryList({QStringLiteral("*.svg")});
        QVERIFY(names.size() >= 10);
        for (const QString& name : names)
            QTest::newRow(qPrintable(name)) << icons.filePath(name);
    }

    void samePixels() {
        QFETCH(QString, path);
        const QIcon reference(path);
        const QIcon lazy = SvgIcon(path);
        QVERIFY(!reference.isNull());
        QVERIFY(!lazy.isNull());
        for (const QSize size : {QSize(12, 12), QSize(16, 16), QSize(20, 20), QSize(32, 24),
                                 QSize(80, 80), QSize(128, 128)}) {
            for (const QIcon::Mode mode :
                 {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected}) {
                const QString where = QStringLiteral("%1x%2 mode %3")
                                          .arg(size.width())
                                          .arg(size.height())
                                          .arg(int(mode));
                const QImage want = reference.pixmap(size, mode).toImage();
                QVERIFY2(!want.isNull(), qPrintable(where));
                QCOMPARE(lazy.actualSize(size, mode), reference.actualSize(size, mode));
                QVERIFY2(lazy.pixmap(size, mode).toImage() == want, qPrintable(where));
                // Twice: the second comes from what the icon kept.
                QVERIFY2(lazy.pixmap(size, mode).toImage() == want, qPrintable(where));
            }
        }
        // Painted into a button's rectangle as the styles do.
        QImage viaReference(40, 30, QImage::Format_ARGB32_Premultiplied);
        QImage viaLazy = viaReference;
        viaReference.fill(Qt::white);
        viaLazy.fill(Qt::white);
        {
            QPainter a(&viaReference), b(&viaLazy);
            reference.paint(&a, QRect(4, 3, 20, 20), Qt::AlignCenter, QIcon::Disabled);
            lazy.paint(&b, QRect(4, 3, 20, 20), Qt::AlignCenter, QIcon::Disabled);
        }
        QCOMPARE(viaLazy, viaReference);
    }

    void missingFileIsNull() {
        QVERIFY(SvgIcon(QStringLiteral(":/app/icons/no-such-picture.svg")).isNull());
        QVERIFY(SvgIcon(QStringLiteral(":/app/icons/no-such-picture.svg"))
                    .pixmap(QSize(16, 16))
                    .isNull());
    }
};

QTEST_MAIN(TestSvgIcon)
#include "tst_svgicon.moc"

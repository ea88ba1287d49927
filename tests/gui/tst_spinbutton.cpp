// SPDX-License-Identifier: GPL-3.0-or-later

// The up/down buttons draw each look once and copy it after: a copy must never show another
// look (pressed, disabled, other colours) and must be what was drawn.
#include <QtTest>

#include "widgets/SpinButton.h"

using namespace vorn;

namespace {

enum Look { Plain, UpPressed, DownPressed, Disabled, RedButton, DarkText };

QImage grabLook(Look look) {
    QWidget holder;
    holder.resize(60, 40);
    auto* button = new TSpinButton(&holder);
    button->setGeometry(10, 10, TSpinButton::ButtonWidth, TSpinButton::ButtonHeight);
    QPalette p = button->palette();
    if (look == RedButton)
        p.setColor(QPalette::Button, Qt::red);
    if (look == DarkText)
        for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText})
            p.setColor(role, QColor(0x20, 0xa0, 0x20));
    button->setPalette(p);
    button->setEnabled(look != Disabled);
    holder.show();
    if (look == UpPressed || look == DownPressed)
        QTest::mousePress(button, Qt::LeftButton, {},
                          QPoint(5, look == UpPressed ? 3 : TSpinButton::ButtonHeight - 3));
    const QImage image = button->grab().toImage();
    if (look == UpPressed || look == DownPressed)
        QTest::mouseRelease(button, Qt::LeftButton);
    return image;
}

} // namespace

class TestSpinButton : public QObject {
    Q_OBJECT

private slots:
    void eachLookIsItsOwn() {
        const QList<Look> looks{Plain, UpPressed, DownPressed, Disabled, RedButton, DarkText};
        // Each drawn while the looks before it are kept: none is taken for another.
        QList<QImage> drawn;
        for (Look look : looks)
            drawn << grabLook(look);
        for (int i = 0; i < looks.size(); ++i)
            for (int j = 0; j < i; ++j)
                QVERIFY2(drawn[i] != drawn[j], qPrintable(QStringLiteral("%1 = %2").arg(i).arg(j)));
        // Copied from what was kept, twice: the pictures first drawn.
        for (int round = 0; round < 2; ++round)
            for (int i = 0; i < looks.size(); ++i)
                QCOMPARE(grabLook(looks[i]), drawn[i]);
    }
};

QTEST_MAIN(TestSpinButton)
#include "tst_spinbutton.moc"

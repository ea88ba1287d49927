#include <QtTest>

#include "app/MainForm.h"

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void showsTitleAndClosesCleanly() {
        vorn::TMainForm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Vorn"));
        QVERIFY(window.close());
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

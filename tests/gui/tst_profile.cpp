#include <QtTest>

#include <QAbstractButton>

#include "chart/StrFrame.h"
#include "views/StrFrameView.h"
#include "views/TensionProfileView.h"
#include "views/VornFrame.h"

using namespace vorn;

class TestProfile : public QObject {
    Q_OBJECT

    TGlobalData settings;

private slots:
    void profileShowsAndFollowsEdits() {
        TVornFrame frame(settings);
        frame.resize(1000, 700);
        frame.ViewStrings();
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        TStrFrameView* view = frame.StringView();
        QVERIFY(view->Profile()->isHidden());
        view->ProfileButton()->click();
        QVERIFY(view->Profile()->isVisible());
        QCOMPARE(settings.TensionProfileVisible, uint8_t(1));
        view->Profile()->repaint();
        const std::vector<QRectF> before = view->Profile()->BarRects();
        QVERIFY(!before.empty());

        // A tension edit reaches the profile at once: course 2's bar grows.
        frame.Model().Chart.Course(1).EditTension(0, 6.0);
        view->Profile()->repaint();
        const std::vector<QRectF> after = view->Profile()->BarRects();
        QVERIFY(after[1].height() > before[1].height());
        QCOMPARE(after[1].bottom(), before[1].bottom());

        // Octave strings stand beside their bass, narrower.
        const int bass = 5; // course 6: its first string, then its octave
        QVERIFY(after[bass].right() <= after[bass + 1].left() + 0.5);
        QVERIFY(after[bass + 1].width() < after[bass].width());

        view->ProfileButton()->click();
        QVERIFY(view->Profile()->isHidden());
        QCOMPARE(settings.TensionProfileVisible, uint8_t(0));
    }
};

QTEST_MAIN(TestProfile)
#include "tst_profile.moc"

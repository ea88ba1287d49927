// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QAbstractButton>
#include <QHelpEvent>
#include <QToolTip>

#include "chart/StrFrame.h"
#include "views/ChartLayout.h"
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

    // A string close to breaking gets a cap above its bar in its cells' colour.
    void profileCapsBarsNearBreaking() {
        TVornFrame frame(settings);
        frame.resize(1000, 700);
        frame.ViewStrings();
        frame.Model().Chart.Course(1).EditLength(60.0); // course 2 stays clear
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        TStrFrameView* view = frame.StringView();
        if (view->Profile()->isHidden())
            view->ProfileButton()->click();
        const QImage image = view->Profile()->grab().toImage();
        const std::vector<QRectF>& bars = view->Profile()->BarRects();
        QVERIFY(bars.size() > 2);
        const auto above = [&](int bar) {
            const QRectF& r = bars[bar];
            return image.pixelColor(int(r.center().x()), int(r.top()) - 3);
        };
        QCOMPARE(above(0), RowColours().LimitText); // the chanterelle, 0.59 below breaking
        QVERIFY(above(1) != RowColours().LimitText && above(1) != RowColours().NearBreakText);
        frame.Model().Chart.Course(0).EditLength(60.0);
        const QImage amber = view->Profile()->grab().toImage();
        const QRectF& r = view->Profile()->BarRects()[0];
        QCOMPARE(amber.pixelColor(int(r.center().x()), int(r.top()) - 3),
                 RowColours().NearBreakText);
    }

    // However narrow, the legend wraps: every entry, caps of both kinds included, lies within
    // the view; a bar's hint names the string, its tension and its margin.
    void legendWrapsAndBarsExplainThemselves_data() {
        QTest::addColumn<int>("width");
        QTest::newRow("wide") << 1000;
        QTest::newRow("narrow") << 320;
    }
    void legendWrapsAndBarsExplainThemselves() {
        QFETCH(int, width);
        TVornFrame frame(settings);
        frame.ViewStrings();
        TStrFrame& chart = frame.Model().Chart;
        chart.Course(0).EditLength(64.0); // the chanterelle: red cap
        chart.Course(1).EditLength(75.0); // course 2, d' on Nylgut: amber cap
        TTensionProfileView view(chart);
        view.resize(width, view.heightForWidth(width));
        const QImage image = view.grab().toImage();
        const std::vector<ProfileLegendEntry> legend =
            ProfileLegend(TensionProfile(chart), settings.TensionUnit);
        QCOMPARE(legend.back().Key, pk_close_breaking);
        QCOMPARE(legend[legend.size() - 2].Key, pk_breaking);
        QCOMPARE(view.LegendRects().size(), legend.size());
        for (const QRectF& r : view.LegendRects())
            QVERIFY2(QRectF(view.rect()).contains(r),
                     qPrintable(QStringLiteral("%1,%2 %3x%4 outside %5x%6")
                                    .arg(r.x())
                                    .arg(r.y())
                                    .arg(r.width())
                                    .arg(r.height())
                                    .arg(view.width())
                                    .arg(view.height())));
        if (width < 400)
            QVERIFY(view.LegendRects().back().top() > view.LegendRects().front().top());
        // The legend sits below every bar.
        for (const QRectF& bar : view.BarRects())
            QVERIFY(bar.bottom() <= view.LegendRects().front().top());

        const QRectF& first = view.BarRects().front();
        QHelpEvent ask(QEvent::ToolTip, first.center().toPoint(),
                       view.mapToGlobal(first.center().toPoint()));
        QApplication::sendEvent(&view, &ask);
        const QString hint = QToolTip::text();
        QVERIFY2(hint.startsWith(QStringLiteral("Course 1 (")), qPrintable(hint));
        QVERIFY2(hint.contains(QStringLiteral("kg.")), qPrintable(hint));
        QVERIFY2(hint.contains(QStringLiteral("semitones below breaking (Gut")), qPrintable(hint));
        QToolTip::hideText();
    }
};

QTEST_MAIN(TestProfile)
#include "tst_profile.moc"

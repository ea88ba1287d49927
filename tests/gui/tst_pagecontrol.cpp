// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QPointer>
#include <QSignalSpy>

#include <memory>

#include "widgets/PageExtControl.h"

using namespace vorn;

namespace {

struct Pages {
    TPageExtControl control;
    QList<QPointer<TTabExtSheet>> sheets;
    QList<int> closeAsked;
    QList<QPair<int, Qt::MouseButton>> clicks;
    bool allowClose = true;

    explicit Pages(int count = 3) {
        control.resize(480, 200);
        control.SetCloseBtn(true);
        control.SetOwnerDraw(true);
        for (int i = 0; i < count; ++i) {
            auto* sheet = new TTabExtSheet;
            sheet->SetCaption(QStringLiteral("Lute %1").arg(i));
            control.AttachPage(sheet);
            sheets << sheet;
        }
        control.OnTabClose = [this](int index, bool& canClose) {
            closeAsked << index;
            canClose = allowClose;
        };
        control.OnTabClick = [this](int index, Qt::MouseButton button) {
            clicks << qMakePair(index, button);
        };
        control.show();
    }
    ~Pages() {
        // Detached pages stay children of the control; delete the ones that left.
        for (auto& sheet : sheets)
            delete sheet.data();
    }
    TPageExtTabBar* bar() { return control.ExtTabBar(); }
    QPoint closePoint(int index) { return bar()->CloseBox(index).center(); }
    QPoint captionPoint(int index) {
        const QRect tab = bar()->tabRect(index);
        return {tab.left() + 8, tab.center().y()};
    }
};

int redness(const QImage& image, const QPoint& at) {
    const QColor c = image.pixelColor(at);
    return c.red() - (c.green() + c.blue()) / 2;
}

} // namespace

class TestPageControl : public QObject {
    Q_OBJECT
private slots:
    void closeGlyphClosesItsTab_data() {
        QTest::addColumn<int>("active");
        QTest::addColumn<int>("closed");
        QTest::addColumn<int>("nextActive"); // index into the original pages
        QTest::newRow("active middle tab") << 1 << 1 << 2;
        QTest::newRow("inactive tab becomes active first") << 0 << 1 << 2;
        QTest::newRow("last tab wraps to the first") << 0 << 2 << 0;
        QTest::newRow("first tab") << 2 << 0 << 1;
    }
    void closeGlyphClosesItsTab() {
        QFETCH(int, active);
        QFETCH(int, closed);
        QFETCH(int, nextActive);
        Pages pages;
        pages.control.setCurrentIndex(active);
        QSignalSpy changed(&pages.control, &QTabWidget::currentChanged);
        QTest::mouseClick(pages.bar(), Qt::LeftButton, {}, pages.closePoint(closed));

        QCOMPARE(pages.closeAsked, QList<int>{closed});
        QVERIFY(pages.clicks.isEmpty());
        QCOMPARE(pages.control.PageCount(), 2);
        QCOMPARE(pages.control.ActivePage(), pages.sheets[nextActive].data());
        QVERIFY(changed.count() >= 1);
        QCOMPARE(changed.last().first().toInt(), pages.control.ActivePageIndex());
        // Detached, not destroyed.
        TTabExtSheet* gone = pages.sheets[closed];
        QVERIFY(gone);
        QCOMPARE(gone->PageControl(), nullptr);
        QCOMPARE(gone->PageIndex(), -1);
        QCOMPARE(pages.control.indexOf(gone), -1);
    }

    void closingTheOnlyPageLeavesNone() {
        Pages pages(1);
        QTest::mouseClick(pages.bar(), Qt::LeftButton, {}, pages.closePoint(0));
        QCOMPARE(pages.control.PageCount(), 0);
        QCOMPARE(pages.control.ActivePage(), nullptr);
        QVERIFY(pages.sheets[0]);
    }

    void refusedCloseKeepsTheTab() {
        Pages pages;
        pages.allowClose = false;
        QTest::mouseClick(pages.bar(), Qt::LeftButton, {}, pages.closePoint(2));
        QCOMPARE(pages.closeAsked, QList<int>{2});
        QCOMPARE(pages.control.PageCount(), 3);
        QCOMPARE(pages.control.ActivePageIndex(), 2);
        QVERIFY(pages.clicks.isEmpty());
    }

    void clicksReportTheButton_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("onGlyph");
        QTest::addColumn<int>("activeAfter");
        QTest::newRow("left activates") << int(Qt::LeftButton) << 2 << false << 2;
        QTest::newRow("right reports only") << int(Qt::RightButton) << 1 << false << 0;
        QTest::newRow("middle reports only") << int(Qt::MiddleButton) << 2 << false << 0;
        QTest::newRow("glyph without CloseBtn") << int(Qt::LeftButton) << 1 << true << 1;
    }
    void clicksReportTheButton() {
        QFETCH(int, button);
        QFETCH(int, tab);
        QFETCH(bool, onGlyph);
        QFETCH(int, activeAfter);
        Pages pages;
        pages.control.SetCloseBtn(!onGlyph);
        const QPoint at = onGlyph ? pages.closePoint(tab) : pages.captionPoint(tab);
        QTest::mouseClick(pages.bar(), Qt::MouseButton(button), {}, at);
        QCOMPARE(pages.clicks.size(), 1);
        QCOMPARE(pages.clicks[0].first, tab);
        QCOMPARE(int(pages.clicks[0].second), button);
        QCOMPARE(pages.control.ActivePageIndex(), activeAfter);
        QCOMPARE(pages.control.PageCount(), 3);
        QVERIFY(pages.closeAsked.isEmpty());
    }

    void captionsKeepExactlyFiveBlanks() {
        Pages pages(2);
        TTabExtSheet* sheet = pages.sheets[0];
        const QString expected = QStringLiteral("Lute 0     ");
        QCOMPARE(sheet->Caption(), expected);
        for (const QString& caption :
             {QStringLiteral("Theorbo"), QStringLiteral("Theorbo     "),
              QStringLiteral("  Theorbo\t "), QStringLiteral("Theorbo          ")}) {
            sheet->SetCaption(caption);
            QCOMPARE(sheet->Caption(), QStringLiteral("Theorbo     "));
            QCOMPARE(pages.control.tabText(0), QStringLiteral("Theorbo     "));
        }
        // Turning the glyphs off shows the bare caption; on again, still five.
        pages.control.SetCloseBtn(false);
        QCOMPARE(pages.control.tabText(0), QStringLiteral("Theorbo"));
        pages.control.SetCloseBtn(true);
        pages.control.SetCloseBtn(true);
        QCOMPARE(sheet->Caption(), QStringLiteral("Theorbo     "));
        // A detached page keeps whatever it is given.
        pages.control.DetachPage(sheet);
        sheet->SetCaption(QStringLiteral("Viol"));
        QCOMPARE(sheet->Caption(), QStringLiteral("Viol"));
        pages.control.AttachPage(sheet);
        QCOMPARE(sheet->Caption(), QStringLiteral("Viol     "));
        QCOMPARE(sheet->PageIndex(), 1);
    }

    void closeBoxSitsAtTheTabsEnd_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("small");
        QTest::newRow("top") << int(QTabWidget::North) << true;
        QTest::newRow("bottom") << int(QTabWidget::South) << true;
        QTest::newRow("left") << int(QTabWidget::West) << true;
        QTest::newRow("right") << int(QTabWidget::East) << true;
        QTest::newRow("top, large") << int(QTabWidget::North) << false;
        QTest::newRow("left, large") << int(QTabWidget::West) << false;
    }
    void closeBoxSitsAtTheTabsEnd() {
        QFETCH(int, position);
        QFETCH(bool, small);
        Pages pages;
        pages.control.setTabPosition(QTabWidget::TabPosition(position));
        pages.control.SetSmallCloseBtn(small);
        pages.control.resize(480, 400);
        QCoreApplication::processEvents();
        const QRect tab = pages.bar()->tabRect(1);
        const QRect box = pages.bar()->CloseBox(1);
        QVERIFY(tab.contains(box));
        const bool side = position == QTabWidget::West || position == QTabWidget::East;
        const int across = side ? tab.width() : tab.height();
        QCOMPARE(box.size(),
                 !small ? (side ? QSize(across, 20) : QSize(20, across)) : QSize(12, 12));
        // Small boxes are centred across the tab and 4 pixels from its end.
        QVERIFY(qAbs(side ? box.center().x() - tab.center().x()
                          : box.center().y() - tab.center().y()) <= 1);
        const int gap = small ? 4 : 0;
        if (position == QTabWidget::West)
            QCOMPARE(box.top() - tab.top(), gap);
        else if (position == QTabWidget::East)
            QCOMPARE(tab.bottom() - box.bottom(), gap);
        else
            QCOMPARE(tab.right() - box.right(), gap);
        QTest::mouseClick(pages.bar(), Qt::LeftButton, {}, box.center());
        QCOMPARE(pages.control.PageCount(), 2);
    }

    void glyphHotOnlyOverTheActiveBox() {
        Pages pages;
        pages.control.setCurrentIndex(1);
        QTest::mouseMove(pages.bar(), pages.closePoint(1));
        QTRY_VERIFY(pages.bar()->CloseGlyphHot());
        QTest::mouseMove(pages.bar(), pages.captionPoint(1));
        QTRY_VERIFY(!pages.bar()->CloseGlyphHot());
        // Only the active tab's glyph lights up.
        QTest::mouseMove(pages.bar(), pages.closePoint(2));
        QTest::qWait(20);
        QVERIFY(!pages.bar()->CloseGlyphHot());
        pages.control.SetCloseBtn(false);
        QTest::mouseMove(pages.bar(), pages.closePoint(1));
        QTest::qWait(20);
        QVERIFY(!pages.bar()->CloseGlyphHot());
    }

    void tabsDrawnInTheirPagesColours_data() {
        QTest::addColumn<bool>("gradient");
        QTest::addColumn<bool>("hotTrack");
        QTest::newRow("plain") << false << false;
        QTest::newRow("gradient") << true << false;
        QTest::newRow("hot tracking drops the gradient") << true << true;
    }
    void tabsDrawnInTheirPagesColours() {
        QFETCH(bool, gradient);
        QFETCH(bool, hotTrack);
        Pages pages;
        pages.control.SetTabFillGradient(gradient);
        pages.control.SetHotTrack(hotTrack);
        for (auto& sheet : pages.sheets) {
            TTabColors colors = sheet->Colors();
            colors.ActiveFill1 = QColor(220, 0, 0);
            colors.ActiveFill2 = QColor(0, 0, 220);
            colors.InActivefill1 = QColor(0, 160, 0);
            colors.InActivefill2 = QColor(0, 160, 0);
            sheet->SetColors(colors);
        }
        const QImage image = pages.bar()->grab().toImage();
        const QRect active = pages.bar()->tabRect(0);
        const QRect inactive = pages.bar()->tabRect(1);
        const QPoint nearTop(active.left() + 4, active.top() + 3);
        const QPoint nearBottom(active.left() + 4, active.bottom() - 3);
        QVERIFY(redness(image, nearTop) > 150);
        // The gradient runs from ActiveFill1 at the top to ActiveFill2 at the bottom.
        if (gradient && !hotTrack)
            QVERIFY(redness(image, nearBottom) < 60);
        else
            QVERIFY(redness(image, nearBottom) > 150);
        QVERIFY(image.pixelColor(inactive.left() + 4, inactive.center().y()).green() > 120);
    }

    void dragMovesTheActivePage() {
        Pages pages;
        pages.control.SetTabDragDrop(true);
        TTabExtSheet* dragged = pages.sheets[0];
        QTest::mousePress(pages.bar(), Qt::LeftButton, {}, pages.captionPoint(0));
        QTest::mouseMove(pages.bar(), pages.captionPoint(1));
        QTest::mouseMove(pages.bar(), pages.captionPoint(2));
        QTest::mouseRelease(pages.bar(), Qt::LeftButton, {}, pages.captionPoint(2));
        QCOMPARE(pages.control.indexOf(dragged), 2);
        QCOMPARE(pages.control.ActivePage(), dragged);
    }
};

QTEST_MAIN(TestPageControl)
#include "tst_pagecontrol.moc"

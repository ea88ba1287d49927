// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProxyStyle>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTextBrowser>

#include <initializer_list>

#include "app/AboutBox.h"
#include "app/AppResources.h"
#include "app/HelpViewer.h"
#include "dialogs/GlobalDialog.h"
#include "dialogs/OptionsFormView.h"
#include "dialogs/StrMatFormView.h"

using namespace vorn;

namespace {

QString helpPage(const QString& file) {
    QFile page(QStringLiteral(":/app/help/") + file);
    if (!page.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(page.readAll());
}

// Wants icons on dialog buttons; its Help icon is set but cannot be drawn.
class TBrokenHelpIconStyle : public QProxyStyle {
public:
    TBrokenHelpIconStyle() : QProxyStyle(QStringLiteral("fusion")) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        return hint == SH_DialogButtonBox_ButtonsHaveIcons
                   ? 1
                   : QProxyStyle::styleHint(hint, option, widget, data);
    }
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        return which == SP_DialogHelpButton ? QIcon(QStringLiteral(":/missing.png"))
                                            : QProxyStyle::standardIcon(which, option, widget);
    }
};

} // namespace

class TestHelpAndAbout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitAppResources(); }

    void everyContextHasItsPage_data() {
        QTest::addColumn<int>("context");
        for (int n : {1,   5,   10,  20,  30,  35,  40,  50,  60,  80,  90,  100, 110,
                      120, 130, 140, 150, 160, 170, 180, 190, 200, 205, 210, 220, 230})
            QTest::newRow(qPrintable(QString::number(n))) << n;
    }
    void everyContextHasItsPage() {
        QFETCH(int, context);
        const QString file = THelpViewer::TopicFile(context);
        QVERIFY(!file.isEmpty());
        const QString html = helpPage(file);
        QVERIFY2(html.contains(QStringLiteral("<h1>")), qPrintable(file));
        QVERIFY(html.contains(QStringLiteral("href=\"index.html\"")));
    }

    void topicsAreDistinct() {
        QSet<QString> files;
        for (int n : THelpViewer::ContextNumbers())
            files.insert(THelpViewer::TopicFile(n));
        QCOMPARE(files.size(), THelpViewer::ContextNumbers().size());
        QVERIFY(THelpViewer::TopicFile(3).isEmpty());
    }

    // Every link of every page, the index included, leads to a page that is there, and every
    // topic can be reached from the index.
    void linksLeadSomewhere() {
        QStringList pages = QDir(QStringLiteral(":/app/help")).entryList({"*.html"});
        QVERIFY(pages.contains(QStringLiteral("index.html")));
        static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
        for (const QString& page : pages) {
            auto it = href.globalMatch(helpPage(page));
            while (it.hasNext()) {
                const QString target = it.next().captured(1);
                QVERIFY2(pages.contains(target), qPrintable(page + " -> " + target));
            }
        }
        const QString index = helpPage(QStringLiteral("index.html"));
        for (int n : THelpViewer::ContextNumbers())
            QVERIFY2(index.contains(THelpViewer::TopicFile(n)),
                     qPrintable(THelpViewer::TopicFile(n)));
    }

    void viewerShowsTheTopicAndFollowsLinks() {
        THelpViewer viewer;
        viewer.ShowHelpContext(20);
        QVERIFY(viewer.isVisible());
        QCOMPARE(viewer.CurrentSource().fileName(), QStringLiteral("status-bar.html"));
        QVERIFY(viewer.Browser()->toPlainText().contains(QStringLiteral("Bridge:")));
        viewer.Browser()->setSource(QUrl(QStringLiteral("main-window.html")));
        QVERIFY(viewer.Browser()->toPlainText().contains(QStringLiteral("Document tabs")));
        viewer.Browser()->backward();
        QCOMPARE(viewer.CurrentSource().fileName(), QStringLiteral("status-bar.html"));
        // An unknown number still shows something useful.
        viewer.ShowHelpContext(4711);
        QCOMPARE(viewer.CurrentSource().fileName(), THelpViewer::TopicFile(10));
    }

    void helpContextOfTheNearestOwner() {
        QWidget top;
        auto* middle = new QWidget(&top);
        auto* leaf = new QWidget(middle);
        QCOMPARE(HelpContextOf(leaf), 0);
        SetHelpContext(&top, 1);
        QCOMPARE(HelpContextOf(leaf), 1);
        SetHelpContext(middle, 20);
        QCOMPARE(HelpContextOf(leaf), 20);
        QCOMPARE(HelpContextOf(&top), 1);
        QCOMPARE(HelpContextOf(nullptr), 0);
    }

    void dialogButtonsHaveTheStyleIconsOrNone() {
        const QString before = QApplication::style()->name();
        const auto restore = qScopeGuard([before] { QApplication::setStyle(before); });
        QApplication::setStyle(new TBrokenHelpIconStyle);
        TGlobalDialog global(QStringLiteral("Courses"), QStringLiteral("Courses"), 1, {}, nullptr);
        TOptionsFormView options(nullptr);
        TStrMatFormView material(tt_newtons, nullptr);
        TAboutBox about(nullptr);
        for (QDialog* dialog :
             std::initializer_list<QDialog*>{&global, &options, &material, &about}) {
            auto* box = dialog->findChild<QDialogButtonBox*>();
            QVERIFY(box->button(QDialogButtonBox::Help)->icon().isNull());
            const QIcon ok = box->button(QDialogButtonBox::Ok)->icon();
            QCOMPARE(ok.pixmap(16).toImage(),
                     box->style()->standardIcon(QStyle::SP_DialogOkButton).pixmap(16).toImage());
        }
    }

    // While a modal dialog runs, help asked for from it takes keys as a window of its own
    // does: a page key scrolls it (Qt drops the key of a blocked window). After the dialog,
    // the window is the owner's again and still open.
    void helpWorksBesideAModalDialog_data() {
        QTest::addColumn<bool>("nested"); // asked from a dialog opened by a dialog
        QTest::newRow("dialog") << false;
        QTest::newRow("dialog from a dialog") << true;
    }
    void helpWorksBesideAModalDialog() {
        QFETCH(bool, nested);
        QWidget owner;
        owner.resize(400, 300);
        owner.show();
        THelpViewer help(&owner);
        help.resize(260, 160); // short: the topic scrolls
        QDialog outer(&owner);
        QDialog inner(&outer);
        QDialog& asking = nested ? inner : outer;
        int before = -1, after = -1;
        bool blockedParent = true;
        const auto ask = [&] {
            QVERIFY(QTest::qWaitForWindowExposed(&asking));
            help.ShowHelpContext(FitTemperamentHelpContext);
            QVERIFY(QTest::qWaitForWindowExposed(&help));
            QScrollBar* bar = help.Browser()->verticalScrollBar();
            QVERIFY(bar->maximum() > 0);
            before = bar->value();
            help.Browser()->setFocus();
            // Through the window system, as a user's key comes: blocked windows never see it.
            QTest::keyClick(help.windowHandle(), Qt::Key_PageDown);
            QTest::keyClick(help.windowHandle(), Qt::Key_PageDown);
            after = bar->value();
            asking.reject();
        };
        if (!nested) {
            QTimer::singleShot(0, &outer, ask);
        } else {
            QTimer::singleShot(0, &outer, [&] {
                QTimer::singleShot(0, &inner, ask);
                inner.exec();
                // Back with the dialog that is still running.
                blockedParent = help.parentWidget() != &outer;
                outer.reject();
            });
        }
        outer.exec();
        QVERIFY(after > before);
        if (nested)
            QVERIFY(!blockedParent);
        QCOMPARE(help.parentWidget(), &owner);
        QVERIFY(help.isVisible());
        QCOMPARE(help.CurrentContext(), FitTemperamentHelpContext);
    }

    void aboutBox() {
        int helpAsked = 0;
        TAboutBox box([&](int context) { helpAsked = context; });
        QCOMPARE(box.windowTitle(), QStringLiteral("About"));
        auto* version = box.findChild<QLabel*>(QStringLiteral("VersionLabel"));
        QVERIFY(version && version->text().startsWith(QStringLiteral("Version ")));
        QCOMPARE(HelpContextOf(&box), 5);

        auto* buttons = box.findChild<QDialogButtonBox*>();
        buttons->button(QDialogButtonBox::Help)->click();
        QCOMPARE(helpAsked, 5);

        QUrl opened;
        box.OpenUrl = [&](const QUrl& url) {
            opened = url;
            return true;
        };
        emit box.LinkLabel()->linkActivated(QStringLiteral("vorn"));
        QVERIFY(opened.isLocalFile());
        QFile page(opened.toLocalFile());
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QByteArray html = page.readAll();
        QVERIFY(html.contains("<h1>Vorn</h1>"));
        // The page names nothing outside the program.
        QVERIFY(!html.contains("http"));

        box.show();
        QVERIFY(box.isVisible());
        buttons->button(QDialogButtonBox::Ok)->click();
        QVERIFY(!box.isVisible());
    }
};

QTEST_MAIN(TestHelpAndAbout)
#include "tst_helpabout.moc"

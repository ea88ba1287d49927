// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/HelpViewer.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <QVariant>

#include <array>
#include <utility>

#include "app/AppResources.h"

namespace vorn {

namespace {

constexpr std::array<std::pair<int, const char*>, 26> Topics{{
    {1, "main-window.html"},
    {5, "about-box.html"},
    {10, "welcome.html"},
    {20, "status-bar.html"},
    {30, "fret-chart.html"},
    {35, "fit-temperament.html"},
    {40, "placement-chart.html"},
    {50, "file-setup.html"},
    {60, "string-chart.html"},
    {80, "global-courses.html"},
    {90, "global-course-type.html"},
    {100, "global-tuning.html"},
    {110, "global-transpose.html"},
    {120, "global-string-length.html"},
    {130, "global-tension.html"},
    {140, "global-gut.html"},
    {150, "global-alternatives.html"},
    {160, "options-new-files.html"},
    {170, "options-assignments.html"},
    {180, "options-calculations.html"},
    {190, "options-precision.html"},
    {200, "options-materials.html"},
    {205, "add-material.html"},
    {210, "options-wounds.html"},
    {220, "print-window.html"},
    {230, "print-text.html"},
}};

constexpr int ContentsContext = 10;

const char* PageStyle = R"(
h1 { color: #2f4c6e; font-size: x-large; }
h2 { color: #2f4c6e; font-size: large; margin-top: 14px; }
p.nav { font-size: small; }
a { color: #1d5fa8; }
td, th { padding: 3px; }
)";

QToolButton* navButton(const QString& text, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setAutoRaise(true);
    return button;
}

} // namespace

THelpViewer::THelpViewer(QWidget* owner) : QWidget(owner, Qt::Tool), owner_(owner) {
    InitAppResources();
    setWindowTitle(tr("Vorn Help"));
    setObjectName(QStringLiteral("HelpViewer"));
    resize(520, 600);

    browser_ = new QTextBrowser(this);
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);
    browser_->document()->setDefaultStyleSheet(QString::fromLatin1(PageStyle));
    browser_->document()->setDocumentMargin(12);
    browser_->setSearchPaths({QStringLiteral(":/app/help")});

    back_ = navButton(tr("Back"), this);
    forward_ = navButton(tr("Forward"), this);
    QToolButton* contents = navButton(tr("Contents"), this);
    QToolButton* index = navButton(tr("Index"), this);
    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(contents, &QToolButton::clicked, this,
            [this] { browser_->setSource(HelpBase().resolved(QUrl(TopicFile(ContentsContext)))); });
    connect(index, &QToolButton::clicked, this, [this] {
        browser_->setSource(HelpBase().resolved(QUrl(QStringLiteral("index.html"))));
    });

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 4, 4, 0);
    bar->setSpacing(2);
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addSpacing(12);
    bar->addWidget(contents);
    bar->addWidget(index);
    bar->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);
}

namespace {

// Keys that close the help window. Ctrl+W among them: as a tool window it would otherwise
// hand the key to the main window, which closes a document with it.
bool closesHelp(QKeyEvent* key) {
    return key->key() == Qt::Key_Escape || key->matches(QKeySequence::Close);
}

} // namespace

bool THelpViewer::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && closesHelp(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void THelpViewer::keyPressEvent(QKeyEvent* event) {
    if (closesHelp(event)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

QString THelpViewer::TopicFile(int context) {
    for (const auto& [number, file] : Topics)
        if (number == context)
            return QString::fromLatin1(file);
    return {};
}

QList<int> THelpViewer::ContextNumbers() {
    QList<int> numbers;
    for (const auto& topic : Topics)
        numbers << topic.first;
    return numbers;
}

QUrl THelpViewer::HelpBase() {
    return QUrl(QStringLiteral("qrc:/app/help/"));
}

QUrl THelpViewer::CurrentSource() const {
    return browser_->source();
}

void THelpViewer::ShowHelpContext(int context) {
    // Qt blocks every window but a modal dialog's own: beside the dialog, the help window
    // must be one of them to take a key, a wheel or a click.
    QWidget* modal = QApplication::activeModalWidget();
    moveTo(modal && modal != this ? modal : owner_.data());
    QString file = TopicFile(context);
    if (file.isEmpty())
        file = TopicFile(ContentsContext);
    context_ = context;
    browser_->setSource(HelpBase().resolved(QUrl(file)));
    if (!placed_) {
        placeBesideOwner();
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
}

void THelpViewer::moveTo(QWidget* host) {
    if (parentWidget() == host)
        return;
    if (dialog_)
        dialog_->removeEventFilter(this);
    dialog_ = host != owner_ ? host : nullptr;
    if (dialog_)
        dialog_->installEventFilter(this);
    const bool shown = isVisible();
    const QPoint at = pos();
    setParent(host, windowFlags()); // hides a shown window
    if (shown) {
        move(at);
        show();
    } else {
        placed_ = false;
    }
}

bool THelpViewer::eventFilter(QObject* watched, QEvent* event) {
    // Before the dialog goes, and with it its tool windows: back to the dialog that opened
    // it, if that one is still running, or to the owner, staying open.
    if (watched == dialog_ && event->type() == QEvent::Hide) {
        QWidget* next = owner_.data();
        for (QWidget* w = dialog_->parentWidget(); w; w = w->parentWidget())
            if (w->isWindow() && w->isModal() && w->isVisible()) {
                next = w;
                break;
            }
        moveTo(next);
    }
    return QWidget::eventFilter(watched, event);
}

void THelpViewer::placeBesideOwner() {
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (!owner || !owner->isVisible())
        return;
    const QRect frame = owner->frameGeometry();
    QScreen* screen = owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    const QSize size = frameGeometry().size();
    QPoint at(frame.right() + 1, frame.top());
    // Right of the program when it fits, else left of it, else over its right edge.
    if (area.isValid() && at.x() + size.width() > area.right()) {
        if (frame.left() - size.width() >= area.left())
            at.setX(frame.left() - size.width());
        else
            at.setX(qMax(area.left(), area.right() - size.width()));
    }
    if (area.isValid())
        at.setY(qBound(area.top(), at.y(), qMax(area.top(), area.bottom() - size.height())));
    move(at);
}

} // namespace vorn

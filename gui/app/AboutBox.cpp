// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/AboutBox.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/AppResources.h"
#include "app/HelpViewer.h"
#include "widgets/ButtonIcons.h"
#include "widgets/SvgIcon.h"

#ifndef VORN_VERSION
#define VORN_VERSION "2.0"
#endif

namespace vorn {

namespace {

constexpr int AboutHelpContext = 5;
const char* PageName = "vorn.html";

} // namespace

TAboutBox::TAboutBox(std::function<void(int)> showHelp, QWidget* parent)
    : QDialog(parent), showHelp_(std::move(showHelp)) {
    InitAppResources();
    setWindowTitle(tr("About"));
    setObjectName(QStringLiteral("AboutBox"));
    setModal(true);
    SetHelpContext(this, AboutHelpContext);
    OpenUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };

    auto* picture = new QLabel(this);
    picture->setPixmap(SvgIcon(QStringLiteral(":/app/icons/vorn.svg")).pixmap(QSize(80, 80)));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* name = new QLabel(QStringLiteral("Vorn"), this);
    QFont nameFont = name->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.8);
    nameFont.setBold(true);
    name->setFont(nameFont);

    auto* version = new QLabel(VersionText(), this);
    version->setObjectName(QStringLiteral("VersionLabel"));
    auto* blurb = new QLabel(tr("String and fret calculator for historical lutes, theorbos,\n"
                                "early guitars and viols."),
                             this);

    link_ = new QLabel(this);
    link_->setObjectName(QStringLiteral("LinkLabel"));
    link_->setText(QStringLiteral("<a href=\"vorn\">%1</a>").arg(tr("The Vorn program page")));
    link_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link_->setToolTip(tr("Opens the program's page in your web browser"));
    connect(link_, &QLabel::linkActivated, this, [this] { OpenProgramPage(); });

    auto* text = new QVBoxLayout;
    text->setSpacing(4);
    text->addWidget(name);
    text->addWidget(version);
    text->addSpacing(6);
    text->addWidget(blurb);
    text->addSpacing(6);
    text->addWidget(link_);
    text->addStretch(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Help, this);
    SetStandardButtonIcons(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (showHelp_)
            showHelp_(AboutHelpContext);
    });

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(18, 18, 18, 12);
    layout->setHorizontalSpacing(18);
    layout->addWidget(picture, 0, 0);
    layout->addLayout(text, 0, 1);
    layout->addWidget(buttons, 1, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TAboutBox::VersionText() {
    return tr("Version %1").arg(QStringLiteral(VORN_VERSION));
}

QString TAboutBox::ProgramPagePath() {
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(PageName);
    if (QFileInfo::exists(beside))
        return beside;
    // The browser needs a real file; rewritten each time so that it matches this version.
    const QString temp = QDir::temp().filePath(QStringLiteral("vorn-program-page.html"));
    QFile::remove(temp);
    if (!QFile::copy(QStringLiteral(":/app/about/") + PageName, temp))
        return {};
    QFile::setPermissions(temp, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                    QFile::ReadOther);
    return temp;
}

bool TAboutBox::OpenProgramPage() {
    const QString path = ProgramPagePath();
    if (path.isEmpty() || !OpenUrl)
        return false;
    return OpenUrl(QUrl::fromLocalFile(path));
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace vorn

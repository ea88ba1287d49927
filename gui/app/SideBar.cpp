// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/SideBar.h"

#include <QAction>
#include <QIcon>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/HelpViewer.h"
#include "app/MainActions.h"
#include "widgets/SvgIcon.h"

namespace vorn {

namespace {

constexpr int SideBarHelp = 1;
constexpr int ButtonHelp = 20;
constexpr int WideButtonHeight = 42;

} // namespace

TSideBar::TSideBar(QWidget* parent)
    : QFrame(parent), layout_(new QVBoxLayout(this)), toggle_(new QToolButton(this)) {
    setObjectName(QStringLiteral("SideBar"));
    SetHelpContext(this, SideBarHelp);
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, p.color(QPalette::Window).darker(104));
    setPalette(p);

    layout_->setContentsMargins(3, 4, 3, 4);
    layout_->setSpacing(2);

    toggle_->setObjectName(QStringLiteral("Sidebarsize"));
    toggle_->setCheckable(true);
    toggle_->setAutoRaise(true);
    toggle_->setIconSize(QSize(16, 16));
    toggle_->setFixedSize(NarrowButton, NarrowButton);
    SetHelpContext(toggle_, ButtonHelp);
    connect(toggle_, &QToolButton::toggled, this, &TSideBar::SetWide);
    applySize();
}

QToolButton* TSideBar::AddBigButton(QAction* action, const QString& name) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(22, 22));
    button->setAutoRaise(false);
    QFont f = button->font();
    f.setPointSizeF(f.pointSizeF() * 0.9);
    button->setFont(f);
    SetHelpContext(button, ButtonHelp);
    layout_->addWidget(button);
    big_ << button;
    applySize();
    return button;
}

QToolButton* TSideBar::AddButton(QAction* action, const QString& name) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    SetHelpContext(button, ButtonHelp);
    layout_->addWidget(button, 0, Qt::AlignHCenter);
    buttons_ << button;
    applySize();
    return button;
}

void TSideBar::AddGap() {
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout_->addSpacing(3);
    layout_->addWidget(line);
    layout_->addSpacing(3);
}

void TSideBar::Finish() {
    layout_->addStretch(1);
    layout_->addWidget(toggle_, 0, Qt::AlignHCenter);
}

void TSideBar::SetWide(bool wide) {
    if (toggle_->isChecked() != wide) {
        toggle_->setChecked(wide); // comes back here through toggled
        return;
    }
    const bool changed = wide_ != wide;
    wide_ = wide;
    applySize();
    if (changed)
        emit wideChanged(wide);
}

void TSideBar::applySize() {
    setFixedWidth(wide_ ? WideWidth : NarrowWidth);
    const int inner = (wide_ ? WideWidth : NarrowWidth) - 6;
    for (QToolButton* button : std::as_const(big_))
        button->setFixedSize(inner, BigButtonHeight);
    for (QToolButton* button : std::as_const(buttons_)) {
        if (wide_) {
            button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            button->setIconSize(QSize(20, 20));
            button->setFixedSize(WideButton, WideButtonHeight);
        } else {
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
            button->setIconSize(QSize(16, 16));
            button->setFixedSize(NarrowButton, NarrowButton);
        }
    }
    toggle_->setIcon(SvgIcon(wide_ ? QStringLiteral(":/app/icons/sidebar-left.svg")
                                   : QStringLiteral(":/app/icons/sidebar-right.svg")));
    toggle_->setToolTip(wide_ ? tr("Narrow side bar") : tr("Wide side bar with captions"));
    toggle_->setAccessibleName(toggle_->toolTip());
}

void TSideBar::AddMainButtons(const TMainActions& a) {
    AddBigButton(a.Strings, QStringLiteral("SpeedStrings"));
    AddBigButton(a.Frets, QStringLiteral("SpeedFrets"));
    // Groups of buttons; a null action leaves a gap.
    const std::pair<QAction*, const char*> buttons[] = {
        {nullptr, nullptr},      {a.Open, "SpeedOpen"},       {a.New, "SpeedNew"},
        {a.Close, "SpeedClose"}, {a.Save, "SpeedSave"},       {a.Print, "SpeedPrint"},
        {nullptr, nullptr},      {a.Options, "SpeedOptions"}, {a.Help, "SpeedHelp"},
        {a.About, "SpeedAbout"}, {nullptr, nullptr},          {a.Play, "SpeedPlay"},
        {a.Stop, "SpeedStop"},   {a.Volume, "SpeedVolume"}};
    for (const auto& [action, name] : buttons) {
        if (action)
            AddButton(action, QString::fromLatin1(name));
        else
            AddGap();
    }
    Finish();
}

} // namespace vorn

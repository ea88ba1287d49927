// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/GlobalDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/ButtonIcons.h"
#include "widgets/HelpContext.h"

namespace vorn {

TGlobalDialog::TGlobalDialog(const QString& caption, const QString& heading, int help, Hooks hooks,
                             QWidget* parent)
    : QDialog(parent), hooks_(std::move(hooks)), help_(help), body_(new QVBoxLayout),
      buttons_(new QDialogButtonBox(
          QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this)) {
    setWindowTitle(caption);
    SetHelpContext(this, help);
    auto* title = new QLabel(heading, this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    title->setFont(bold);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(body_);
    layout->addStretch(1);
    layout->addWidget(buttons_);
    SetStandardButtonIcons(buttons_);
    buttons_->button(QDialogButtonBox::Ok)->setDefault(true);
    // A modal dialog keeps the main window's F1 from it: its Help button takes the key.
    buttons_->button(QDialogButtonBox::Help)->setShortcut(QKeySequence(Qt::Key_F1));
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons_, &QDialogButtonBox::helpRequested, this, [this] {
        if (hooks_.ShowHelp)
            hooks_.ShowHelp(help_);
    });
}

void TGlobalDialog::openOptions(int page) {
    if (hooks_.ShowOptions)
        hooks_.ShowOptions(page);
}

} // namespace vorn

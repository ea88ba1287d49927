// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/ButtonIcons.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QIcon>
#include <QStyle>

#include <optional>

namespace vorn {

namespace {

std::optional<QStyle::StandardPixmap> pictureOf(QDialogButtonBox::StandardButton button) {
    switch (button) {
    case QDialogButtonBox::Ok:
        return QStyle::SP_DialogOkButton;
    case QDialogButtonBox::Cancel:
        return QStyle::SP_DialogCancelButton;
    case QDialogButtonBox::Help:
        return QStyle::SP_DialogHelpButton;
    default:
        return std::nullopt;
    }
}

} // namespace

void SetStandardButtonIcons(QDialogButtonBox* box) {
    if (!box)
        return;
    QStyle* style = box->style();
    const bool wanted = style->styleHint(QStyle::SH_DialogButtonBox_ButtonsHaveIcons, nullptr, box);
    for (QAbstractButton* button : box->buttons()) {
        const std::optional<QStyle::StandardPixmap> picture =
            pictureOf(box->standardButton(button));
        if (!picture)
            continue;
        QIcon icon = wanted ? style->standardIcon(*picture, nullptr, button) : QIcon();
        if (!icon.isNull() && icon.pixmap(button->iconSize()).isNull())
            icon = QIcon();
        button->setIcon(icon);
    }
}

} // namespace vorn

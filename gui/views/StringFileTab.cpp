// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/StringFileTab.h"

#include <QVBoxLayout>

#include "files/FileFrame.h"
#include "views/VornFrame.h"
#include "widgets/LocalNumbers.h"

namespace vorn {

TStringFileTab::TStringFileTab(TGlobalData& settings, QWidget* parent)
    : TTabExtSheet(parent), frame_(new TVornFrame(settings, this)) {
    placeFrame();
}

TStringFileTab::TStringFileTab(std::unique_ptr<TFileFrame> loaded, QWidget* parent)
    : TTabExtSheet(parent), frame_(new TVornFrame(std::move(loaded), this)) {
    placeFrame();
}

void TStringFileTab::placeFrame() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame_);
    connect(frame_, &TVornFrame::captionChanged, this, &TStringFileTab::showCaption);
    // The frame named itself before anyone listened.
    showCaption(frame_->DisplayName());
}

void TStringFileTab::SetChanged(bool changed) {
    if (changed == changed_)
        return;
    changed_ = changed;
    showCaption(name_);
}

void TStringFileTab::showCaption(const QString& name) {
    name_ = name;
    SetCaption(changed_ ? QStringLiteral("*") + name : name);
}

void TStringFileTab::SetCaption(const QString& caption) {
    const bool fileName = !frame_->Model().FileName.empty();
    TTabExtSheet::SetCaption(fileName ? caption : LocalNumbers(caption));
}

} // namespace vorn

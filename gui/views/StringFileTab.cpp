#include "views/StringFileTab.h"

#include <QVBoxLayout>

#include "views/VornFrame.h"

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
    connect(frame_, &TVornFrame::captionChanged, this, &TTabExtSheet::SetCaption);
    // The frame named itself before anyone listened.
    SetCaption(frame_->DisplayName());
}

} // namespace vorn

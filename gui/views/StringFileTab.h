#pragma once
// One document tab: a closable tab page holding the document's frame; the tab's caption is
// the document's display name.

#include "widgets/TabExtSheet.h"

namespace vorn {

class TGlobalData;
class TVornFrame;

class TStringFileTab : public TTabExtSheet {
    Q_OBJECT
public:
    // A new document from the settings' defaults, on its "File Setup" page.
    explicit TStringFileTab(TGlobalData& settings, QWidget* parent = nullptr);

    TVornFrame* Frame() const { return frame_; }

private:
    TVornFrame* frame_;
};

} // namespace vorn

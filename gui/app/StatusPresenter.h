// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the status bar says about the active document: its family, the tension on the bridge,
// the pitch and the temperament. The sound panels are the tone control's.

namespace vorn {

class TGlobalData;
class TStatusPanels;
class TVornFrame;

class TStatusPresenter {
public:
    TStatusPresenter(TStatusPanels& panels, const TGlobalData& settings);

    // Each shows the frame's figure; a null frame leaves the panel as it is.
    void BridgeChanged(const TVornFrame* frame);
    void PitchChanged(const TVornFrame* frame);
    void TemperamentChanged(const TVornFrame* frame);
    // Every document panel at once.
    void Refresh(const TVornFrame* frame);
    // Empty document panels: no document, or one without course rows yet.
    void Clear();

private:
    TStatusPanels& panels_;
    const TGlobalData& settings_;
};

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/StatusPresenter.h"

#include <QString>

#include "app/StatusPanels.h"
#include "chart/StatusLine.h"
#include "document/GlobalData.h"
#include "document/InstrumentTemplates.h"
#include "views/VornFrame.h"
#include "widgets/LocalNumbers.h"
#include "widgets/StdText.h"

namespace vorn {

namespace {

constexpr int PanelFamily = 3;
constexpr int PanelBridge = 4;
constexpr int PanelPitch = 5;
constexpr int PanelTemperament = 6;

} // namespace

TStatusPresenter::TStatusPresenter(TStatusPanels& panels, const TGlobalData& settings)
    : panels_(panels), settings_(settings) {}

void TStatusPresenter::BridgeChanged(const TVornFrame* frame) {
    if (!frame)
        return;
    panels_.SetText(PanelBridge,
                    LocalNumbers(qs(BridgeText(frame->TotalTension(), settings_.TensionUnit))));
}

void TStatusPresenter::PitchChanged(const TVornFrame* frame) {
    if (!frame)
        return;
    // A whole number: no decimal point to localise.
    panels_.SetText(PanelPitch, qs(PitchText(frame->Model().Document.APitch)));
}

void TStatusPresenter::TemperamentChanged(const TVornFrame* frame) {
    if (!frame)
        return;
    // A document fretted by a rule or a Scala scale is named by it.
    const TInstDataType& d = frame->Model().Document;
    panels_.SetText(PanelTemperament, QStringLiteral("Temperament: ") +
                                          qs(d.Scale ? d.Scale->Name : d.TemperamentName()));
}

void TStatusPresenter::Refresh(const TVornFrame* frame) {
    if (!frame)
        return;
    PitchChanged(frame);
    BridgeChanged(frame);
    TemperamentChanged(frame);
    const int family = frame->Family();
    if (family >= 0 && family < FamilyCount)
        panels_.SetText(PanelFamily, qs(FamilyName(family)));
}

void TStatusPresenter::Clear() {
    for (int panel = PanelFamily; panel <= PanelTemperament; ++panel)
        panels_.SetText(panel, QString());
}

} // namespace vorn

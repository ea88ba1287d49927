// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Settings with every field away from its default, an added material and edited catalogues:
// what the settings block tests write and read back; and the block's bytes.

#include <cstddef>
#include <string>

#include "document/GlobalData.h"
#include "io/ByteWriter.h"

namespace vorn::testing {

// The settings block as the settings file holds it: equal bytes, equal settings.
inline std::string SettingsBytes(const TGlobalData& settings) {
    ByteWriter w;
    settings.SaveSettings(w);
    return w.take();
}

inline TGlobalData ChangedSettings() {
    TGlobalData g;
    g.Materials.AddMaterial("Silver", 10.49f, 150, 15, 4.0f, 0.2f);
    for (size_t i = 0; i < g.StringDefs.size(); ++i)
        g.StringDefs[i] = {i % 2 ? "Nylgut" : "Aquila", 20.5f + static_cast<float>(i)};
    g.LengthChangeMode = 1;
    g.NoteChangeMode = 0;
    g.TensionChangeMode = 0;
    g.DiameterChangeMode = 0;
    g.LengthDigits = -3;
    g.AltDiameterDigits = -4;
    g.TensionDigits = -4;
    g.GutDiameterDigits = -2;
    g.DefaultTemperament = 2;
    g.DefaultMaker = "Hans Frei";
    g.StartupChoice = 2;
    g.DefaultInstrumentType = 13;
    g.ShowAlternativeFrets = g.FretGraphicVisible = g.ExtraCoursesVisible = g.SidebarDown = 1;
    g.WindowLeft = 10;
    g.WindowTop = 20;
    g.WindowWidth = 800;
    g.WindowHeight = 600;
    g.SetTensionUnit(tt_pounds);
    g.Catalogues.Savarez.DeleteEntry(5);
    g.Catalogues.Aquila.DeleteEntry(2);
    g.Catalogues.Kuerschner.Add({777});
    g.Catalogues.Aquila.Add({321, 1});
    return g;
}

} // namespace vorn::testing

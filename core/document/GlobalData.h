// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The global settings: default strings per course role, recalculation rules, decimals, units,
// defaults for new documents, a few view states, window bounds, materials and catalogues.

#include <array>
#include <cstdint>
#include <string>

#include "document/SettingsNotice.h"
#include "strings/StringSettings.h"

namespace vorn {

class ByteReader;
class ByteWriter;

// A course role's default alternative choice and tension (N).
struct TStringDefs {
    std::string Name;
    float Tension = 0;
    bool operator==(const TStringDefs&) const = default;
};

enum StringRole : int {
    sr_chanterelles = 0,
    sr_trebles = 1,
    sr_meanes = 2,
    sr_singles = 3,
    sr_basses = 4,
    sr_octaves = 5,
    sr_diapasons = 6,
    sr_viol_trebles = 7,
    sr_viol_basses = 8,
};

class TGlobalData : public StringSettings {
public:
    TGlobalData(); // defaults, the default materials and the built-in catalogues

    std::array<TStringDefs, 9> StringDefs;
    uint8_t DefaultTemperament = 5;
    std::string DefaultMaker;
    uint8_t StartupChoice = 1; // 0 new file, 1 last viewed, 2 all opened
    int32_t DefaultInstrumentType = 3;
    uint8_t ShowAlternativeFrets = 0;
    uint8_t FretGraphicVisible = 0;
    uint8_t ExtraCoursesVisible = 0;
    uint8_t SidebarDown = 0;
    // Whether the string chart shows its tension profile; kept in the preferences file, since
    // the settings file has no field for it.
    uint8_t TensionProfileVisible = 0;
    // Where a file dialog was last answered, whole and UTF-8; kept in the preferences file too.
    std::string LastFolder;
    // Whether the print window's order list buys each string as its alternative instead of
    // gut; kept in the preferences file too.
    uint8_t OrderByAlternative = 0;
    int32_t WindowLeft = 0, WindowTop = 0, WindowWidth = 0, WindowHeight = 0;

    // Every open chart listens; whoever changes what a chart shows tells it here.
    SettingsNotice Notice;
    void NotifyChanged(unsigned changes) const { Notice.Notify(changes); }

    // What a new document starts from: DefaultInstrumentType and DefaultTemperament, or type 3
    // and temperament 5 where the default is outside its list (a document no reader accepts).
    int NewDocumentType() const;
    int NewDocumentTemperament() const;

    // Role index for course n (1-based) of a kind; any unknown kind is the octave role.
    static int RoleFor(int course, int kind);
    const TStringDefs& StringDefsFor(int course, int kind) const;
    int DefaultChoiceIndex(int course, int kind) const;

    // The settings block: version, title, then every field, materials and catalogues.
    void SaveSettings(ByteWriter& out) const;
    // false with the defaults (and default materials) kept when the title is not ours;
    // throws ReadError on short or broken data, leaving this object unchanged.
    bool LoadSettings(ByteReader& in);
};

} // namespace vorn

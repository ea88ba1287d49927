// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The string material list: densities and limits of the materials a string can be made of,
// and the alternative choices a string row offers.

#include <cstdint>
#include <string>
#include <vector>

#include "io/EntryRange.h"

namespace vorn {

enum MaterialKind : uint8_t {
    mk_gut = 0, // the reference material
    mk_nylon = 1,
    mk_nylgut = 2,
    mk_carbon = 3,
    mk_savarez = 4, // kinds 4..7 name the makers' catalogues, never a stored material
    mk_pyramid = 5,
    mk_kuerschner = 6,
    mk_aquila = 7,
    mk_other = 8,
};

inline bool IsCatalogueKind(int kind) {
    return kind >= mk_savarez && kind <= mk_aquila;
}

// Densities a material may have (g/cm³): far beyond any string, yet no calculation with them
// leaves what a float holds. A new material starts as gut.
inline constexpr EntryRange DensityRange{0.01, 100, 1.36};
// Spin step of the material boxes and the gut density: g/cm³, display unit and mm alike.
inline constexpr double MaterialStep = 0.01;
// What deleting a material of kind 0..7 says: "PVC" although the material is "Carbon PVF",
// the text is kept as users know it.
inline constexpr const char* FixedMaterialMessage =
    "Nylon, Nylgut and Carbon PVC can not be deleted!";

// Breaking indexes a material may have (Hz·m); 0 stands for none (a material not used for
// plain strings), which shows no margin. A new material starts as gut.
inline constexpr EntryRange BreakingIndexRange{0, 10000, 260};
inline constexpr double BreakingIndexStep = 1;
// The figure a material of that name and kind starts with: the default list's figure for its
// kind or name, gut's for any other.
float DefaultBreakingIndex(const std::string& name, int kind);

struct TStringMaterialItem {
    std::string Name;
    float Density = static_cast<float>(DensityRange.Initial); // g/cm³
    float MaxTension = 0;                                     // N
    float MinTension = 0;                                     // N
    float MaxDiameter = 0;                                    // mm
    float MinDiameter = 0;                                    // mm
    uint8_t Kind = mk_gut;
    float BreakingIndex = static_cast<float>(BreakingIndexRange.Initial); // Hz·m, 0 none
};

enum LimitState : uint8_t {
    ls_ok = 0,
    ls_tension_high = 1,
    ls_tension_low = 2,
    ls_diameter_high = 3,
    ls_diameter_low = 4,
};

// Limit states against a material's limits (T in N, d in mm), on 32-bit values.
LimitState CheckTension(const TStringMaterialItem& material, float T);
LimitState CheckDiameter(const TStringMaterialItem& material, float d);

// Ordered list; lookups by name are exact, the last match wins, and a name that matches
// nothing falls back to the first material.
class TStringMaterialCollection {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const TStringMaterialItem& operator[](int i) const { return items_.at(i); }
    TStringMaterialItem& operator[](int i) { return items_.at(i); }
    const std::vector<TStringMaterialItem>& Items() const { return items_; }
    // The breaking index (Hz·m) a string of that choice breaks at; 0 for a catalogue (wound)
    // choice and for a material without one.
    double BreakingIndexOf(const std::string& name) const;

    TStringMaterialItem& Add(); // a new item: empty name, density 1.36, limits 0, kind 0
    void Append(const TStringMaterialItem& item) { items_.push_back(item); }
    void Clear() { items_.clear(); }

    // An empty list answers with a new item's values.
    const TStringMaterialItem& MaterialByName(const std::string& name) const;
    const TStringMaterialItem& MaterialByKind(int kind) const;
    // The reference material: the last of kind 0, else the first.
    const TStringMaterialItem& Reference() const { return MaterialByKind(mk_gut); }

    // 4..7 for the makers, else the kind of the last material of that name, else 0.
    int KindOfName(const std::string& name) const;
    bool IsCatalogueName(const std::string& name) const {
        return IsCatalogueKind(KindOfName(name));
    }

    // "Nylon", "Nylgut", "Carbon PVF", the four makers, then the materials from position 4.
    std::vector<std::string> AlternativeChoiceList() const;
    std::string AlternativeChoices() const; // the same, CR LF between items
    // Position of a name in that list; 0 ("Nylon") when not found. Positions 0..3 of the
    // material list belong to the fixed head, so a name found there alone is not in the list.
    int AlternativeIndex(const std::string& name) const;
    // Names of all materials in order, CR LF between them.
    std::string MaterialNames() const;

    void CopyMaterials(const TStringMaterialCollection& from) { items_ = from.items_; }
    void AddMaterial(const std::string& name, float density, float maxTension, float minTension,
                     float maxDiameter, float minDiameter,
                     float breakingIndex = static_cast<float>(BreakingIndexRange.Initial));
    // Removes a kind-8 material. Any other kind is refused: returns false and sets message to
    // FixedMaterialMessage.
    bool DeleteMaterial(int index, std::string* message = nullptr);
    // Appends the eight default materials.
    void SetDefaultMaterials();
    // A list of the eight default materials: what every settings object starts with.
    static TStringMaterialCollection Defaults();

private:
    std::vector<TStringMaterialItem> items_;
};

} // namespace vorn

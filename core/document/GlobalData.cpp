// SPDX-License-Identifier: GPL-3.0-or-later

#include "document/GlobalData.h"

#include <algorithm>
#include <tuple>

#include "document/InstrumentTemplates.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "io/FileHeader.h"
#include "pitch/FretRecord.h"
#include "pitch/Temperaments.h"
#include "strings/StringRecord.h"

namespace vorn {

namespace {

constexpr const char* NotFinite = "a number in the settings is not finite";
constexpr const char* OutOfRange = "a setting is out of range";

// A tension (N) the options can set: beyond it, a bridge of many strings would not add up.
float tension(ByteReader& in) {
    const float t = in.finiteF32(NotFinite);
    if (!(t >= SettingTensionRange.Min && t <= SettingTensionRange.Max))
        throw ReadError(OutOfRange);
    return t;
}

void writeMaterial(ByteWriter& out, const TStringMaterialItem& m) {
    out.u8(m.Kind);
    out.str(m.Name);
    out.f32(m.Density);
    out.f32(m.MaxTension);
    out.f32(m.MinTension);
    out.f32(m.MaxDiameter);
    out.f32(m.MinDiameter);
}

TStringMaterialItem readMaterial(ByteReader& in) {
    TStringMaterialItem m;
    m.Kind = in.u8AtMost(mk_other, OutOfRange);
    m.Name = in.str();
    m.Density = in.finiteF32(NotFinite);
    if (!(m.Density >= static_cast<float>(DensityRange.Min) && m.Density <= DensityRange.Max))
        throw ReadError("a material density is out of range");
    m.MaxTension = tension(in);
    m.MinTension = tension(in);
    m.MaxDiameter = in.finiteF32(NotFinite);
    m.MinDiameter = in.finiteF32(NotFinite);
    // The fixed layout has no breaking index; the preferences file may give one later.
    m.BreakingIndex = DefaultBreakingIndex(m.Name, m.Kind);
    return m;
}

// Decimals the program can round to; anything else would stop every calculation.
int32_t digits(ByteReader& in) {
    return in.i32Within(-20, 0, "a precision setting is out of range");
}

int32_t diameterDigits(ByteReader& in) {
    return std::min(digits(in), CoarsestDiameterDigits);
}

int32_t count(ByteReader& in) {
    const int32_t n = in.i32();
    return n < 0 ? 0 : n;
}

// A catalogue row's fields in file order, for reading and writing alike.
auto fields(TSavarezItem& r) {
    return std::tie(r.Bound, r.Value, r.Flags);
}
auto fields(TPyramidItem& r) {
    return std::tie(r.Bound, r.Value, r.Code);
}
auto fields(TKuerschnerItem& r) {
    return std::tie(r.Value);
}
auto fields(TAquilaItem& r) {
    return std::tie(r.Value, r.DE);
}

void put(ByteWriter& out, int32_t v) {
    out.i32(v);
}
void put(ByteWriter& out, uint8_t v) {
    out.u8(v);
}
void get(ByteReader& in, int32_t& v) {
    v = in.i32();
}
void get(ByteReader& in, uint8_t& v) {
    v = in.u8();
}

template <class Collection> void writeCatalogue(ByteWriter& out, const Collection& catalogue) {
    out.i32(catalogue.Count());
    for (typename Collection::ItemType row : catalogue.Items)
        std::apply([&](auto&... f) { (put(out, f), ...); }, fields(row));
}

template <class Collection> void readCatalogue(ByteReader& in, Collection& catalogue) {
    catalogue.Clear();
    for (int32_t n = count(in); n > 0; --n) {
        typename Collection::ItemType row;
        std::apply([&](auto&... f) { (get(in, f), ...); }, fields(row));
        catalogue.Add(row);
    }
}

} // namespace

TGlobalData::TGlobalData() {
    StringDefs = {{{"Nylon", 40},
                   {"Nylgut", 28},
                   {"Carbon PVF", 29},
                   {"Carbon PVF", 35},
                   {"Savarez", 30},
                   {"Nylgut", 27},
                   {"Carbon PVF", 37},
                   {"Carbon PVF", 50},
                   {"Savarez", 50}}};
    SetTensionUnit(tt_kilograms);
}

int TGlobalData::NewDocumentType() const {
    const int type = DefaultInstrumentType;
    return type >= 0 && type < InstrumentTypeCount ? type : TGlobalData().DefaultInstrumentType;
}

int TGlobalData::NewDocumentTemperament() const {
    return DefaultTemperament <= CustomTemperament ? DefaultTemperament
                                                   : TGlobalData().DefaultTemperament;
}

int TGlobalData::RoleFor(int course, int kind) {
    switch (kind) {
    case 0:
        return sr_chanterelles;
    case 1:
        return course >= 7 ? sr_diapasons : sr_singles;
    case 2:
        return course >= 4 ? sr_meanes : sr_trebles;
    case 3:
        return sr_basses;
    case 4:
        return course >= 4 ? sr_viol_basses : sr_viol_trebles;
    default:
        return sr_octaves;
    }
}

const TStringDefs& TGlobalData::StringDefsFor(int course, int kind) const {
    return StringDefs[RoleFor(course, kind)];
}

int TGlobalData::DefaultChoiceIndex(int course, int kind) const {
    return Materials.AlternativeIndex(StringDefsFor(course, kind).Name);
}

void TGlobalData::SaveSettings(ByteWriter& out) const {
    WriteFileHeader(out);
    for (const TStringDefs& d : StringDefs) {
        out.str(d.Name);
        out.f32(d.Tension);
    }
    out.u8(LengthChangeMode);
    out.u8(NoteChangeMode);
    out.u8(TensionChangeMode);
    out.u8(DiameterChangeMode);
    out.i32(LengthDigits);
    out.i32(AltDiameterDigits);
    out.i32(TensionDigits);
    out.i32(GutDiameterDigits);
    out.u8(DefaultTemperament);
    out.str(DefaultMaker);
    out.u8(StartupChoice);
    out.i32(DefaultInstrumentType);
    out.u8(ShowAlternativeFrets);
    out.u8(FretGraphicVisible);
    out.u8(ExtraCoursesVisible);
    out.u8(SidebarDown);
    out.i32(WindowTop);
    out.i32(WindowLeft);
    out.i32(WindowWidth);
    out.i32(WindowHeight);
    out.u8(TensionUnit);

    out.i32(Materials.Count());
    for (const TStringMaterialItem& m : Materials.Items())
        writeMaterial(out, m);
    writeCatalogue(out, Catalogues.Savarez);
    writeCatalogue(out, Catalogues.Pyramid);
    writeCatalogue(out, Catalogues.Kuerschner);
    writeCatalogue(out, Catalogues.Aquila);
}

bool TGlobalData::LoadSettings(ByteReader& in) {
    if (ReadVersion(in) != 2.0 || in.str() != ProgramTitle) {
        if (Materials.Count() == 0)
            Materials.SetDefaultMaterials();
        return false;
    }

    // Read into a copy so that a broken file leaves these settings as they were.
    TGlobalData s = *this;
    for (TStringDefs& d : s.StringDefs) {
        d.Name = in.str();
        d.Tension = tension(in);
    }
    s.LengthChangeMode = in.u8AtMost(rm_diameter, OutOfRange);
    s.NoteChangeMode = in.u8AtMost(rm_diameter, OutOfRange);
    s.TensionChangeMode = in.u8AtMost(rm_diameter, OutOfRange);
    s.DiameterChangeMode = in.u8AtMost(rm_diameter, OutOfRange);
    s.LengthDigits = digits(in);
    s.AltDiameterDigits = diameterDigits(in);
    s.TensionDigits = digits(in);
    s.GutDiameterDigits = diameterDigits(in);
    s.DefaultTemperament = in.u8AtMost(NamedTemperamentCount - 1, OutOfRange);
    s.DefaultMaker = in.str();
    s.StartupChoice = in.u8();
    s.DefaultInstrumentType = in.i32();
    s.ShowAlternativeFrets = in.u8();
    s.FretGraphicVisible = in.u8();
    s.ExtraCoursesVisible = in.u8();
    s.SidebarDown = in.u8();
    s.WindowTop = in.i32();
    s.WindowLeft = in.i32();
    s.WindowWidth = in.i32();
    s.WindowHeight = in.i32();
    // The unit in force when the settings were saved stays in force.
    const uint8_t unit = in.u8();
    s.SetTensionUnit(unit <= tt_pounds ? static_cast<VornTensType>(unit) : tt_kilograms);

    s.Materials.Clear();
    for (int32_t n = count(in); n > 0; --n)
        s.Materials.Append(readMaterial(in));
    readCatalogue(in, s.Catalogues.Savarez);
    readCatalogue(in, s.Catalogues.Pyramid);
    readCatalogue(in, s.Catalogues.Kuerschner);
    readCatalogue(in, s.Catalogues.Aquila);
    // A list without materials would leave nothing to compute with.
    if (s.Materials.Count() == 0)
        s.Materials.SetDefaultMaterials();
    *this = std::move(s);
    return true;
}

} // namespace vorn

#include "document/GlobalData.h"

#include <cmath>

#include "document/InstrumentTemplates.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "pitch/FretRecord.h"
#include "pitch/Temperaments.h"

namespace vorn {

namespace {

constexpr char VersionTwo[6] = {'\x82', 0, 0, 0, 0, 0};
constexpr const char* Title = "Vorn";

void writeMaterial(ByteWriter& out, const TStringMaterialItem& m) {
    out.u8(m.Kind);
    out.str(m.Name);
    out.f32(m.Density);
    out.f32(m.MaxTension);
    out.f32(m.MinTension);
    out.f32(m.MaxDiameter);
    out.f32(m.MinDiameter);
}

float finiteF32(ByteReader& in) {
    const float v = in.f32();
    if (!std::isfinite(v))
        throw ReadError("a number in the settings is not finite");
    return v;
}

uint8_t byteAtMost(ByteReader& in, uint8_t max) {
    const uint8_t v = in.u8();
    if (v > max)
        throw ReadError("a setting is out of range");
    return v;
}

// Decimals the program can round to; anything else would stop every calculation.
int32_t digits(ByteReader& in) {
    const int32_t v = in.i32();
    if (v < -20 || v > 0)
        throw ReadError("a precision setting is out of range");
    return v;
}

int32_t count(ByteReader& in) {
    const int32_t n = in.i32();
    return n < 0 ? 0 : n;
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
    out.raw(std::string_view(VersionTwo, 6));
    out.str(Title);
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

    out.i32(Catalogues.Savarez.Count());
    for (const TSavarezItem& r : Catalogues.Savarez.Items) {
        out.i32(r.Bound);
        out.i32(r.Value);
        out.u8(r.Flags);
    }
    out.i32(Catalogues.Pyramid.Count());
    for (const TPyramidItem& r : Catalogues.Pyramid.Items) {
        out.i32(r.Bound);
        out.i32(r.Value);
        out.i32(r.Code);
    }
    out.i32(Catalogues.Kuerschner.Count());
    for (const TKuerschnerItem& r : Catalogues.Kuerschner.Items)
        out.i32(r.Value);
    out.i32(Catalogues.Aquila.Count());
    for (const TAquilaItem& r : Catalogues.Aquila.Items) {
        out.i32(r.Value);
        out.i32(r.DE);
    }
}

bool TGlobalData::LoadSettings(ByteReader& in) {
    const std::string_view version = in.raw(6);
    std::string title;
    if (version == std::string_view(VersionTwo, 6))
        title = in.str();
    if (title != Title) {
        if (Materials.Count() == 0)
            Materials.SetDefaultMaterials();
        return false;
    }

    // Read into a copy so that a broken file leaves these settings as they were.
    TGlobalData s = *this;
    for (TStringDefs& d : s.StringDefs) {
        d.Name = in.str();
        d.Tension = finiteF32(in);
    }
    s.LengthChangeMode = byteAtMost(in, 2);
    s.NoteChangeMode = byteAtMost(in, 2);
    s.TensionChangeMode = byteAtMost(in, 2);
    s.DiameterChangeMode = byteAtMost(in, 2);
    s.LengthDigits = digits(in);
    s.AltDiameterDigits = digits(in);
    s.TensionDigits = digits(in);
    s.GutDiameterDigits = digits(in);
    s.DefaultTemperament = byteAtMost(in, NamedTemperamentCount - 1);
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

    for (int32_t n = count(in); n > 0; --n) {
        TStringMaterialItem m;
        m.Kind = byteAtMost(in, mk_other);
        m.Name = in.str();
        m.Density = finiteF32(in);
        if (!(m.Density > 0))
            throw ReadError("a material density is not above 0");
        m.MaxTension = finiteF32(in);
        m.MinTension = finiteF32(in);
        m.MaxDiameter = finiteF32(in);
        m.MinDiameter = finiteF32(in);
        s.Materials.Append(m);
    }

    s.Catalogues.Savarez.Clear();
    for (int32_t n = count(in); n > 0; --n) {
        TSavarezItem r;
        r.Bound = in.i32();
        r.Value = in.i32();
        r.Flags = in.u8();
        s.Catalogues.Savarez.Add(r);
    }
    s.Catalogues.Pyramid.Clear();
    for (int32_t n = count(in); n > 0; --n) {
        TPyramidItem r;
        r.Bound = in.i32();
        r.Value = in.i32();
        r.Code = in.i32();
        s.Catalogues.Pyramid.Add(r);
    }
    s.Catalogues.Kuerschner.Clear();
    for (int32_t n = count(in); n > 0; --n) {
        TKuerschnerItem r;
        r.Value = in.i32();
        s.Catalogues.Kuerschner.Add(r);
    }
    s.Catalogues.Aquila.Clear();
    for (int32_t n = count(in); n > 0; --n) {
        TAquilaItem r;
        r.Value = in.i32();
        r.DE = in.i32();
        s.Catalogues.Aquila.Add(r);
    }
    // A list without materials would leave nothing to compute with.
    if (s.Materials.Count() == 0)
        s.Materials.SetDefaultMaterials();
    *this = std::move(s);
    return true;
}

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#include "options/OptionsForm.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "document/InstrumentTemplates.h"
#include "io/NumberText.h"
#include "pitch/Temperaments.h"
#include "strings/StringPhysics.h"
#include "strings/StringRecord.h"

namespace vorn {

const std::array<const char*, OptionsPageCount> OptionsPageCaptions{
    "New Files", "Assignments", "Calculations", "Precision", "Materials", "Wounds"};
const std::array<const char*, 3> StartupItems{"Show new file", "Load last viewed file",
                                              "Load all opened files"};
const std::array<const char*, 3> UnitItems{"Newtons (1 kg \xC2\xB7 mass/seconds\xC2\xB2)",
                                           "Kilogram-force (9.80665 N)",
                                           "Pound-force (4.448222 N)"};
const std::array<std::pair<const char*, const char*>, 9> AssignmentRowTexts{{
    {"Chanterelles", "top single"},
    {"Trebles", "crs 1-3 unisons"},
    {"Meanes", "crs 4-5 unisons"},
    {"Singles", "crs 1-6 singles"},
    {"Basses", "bass/octave pair"},
    {"Octaves", "bass/octave pair"},
    {"Diapasons", "single basses from crs 7"},
    {"Viol Trebles", "crs 1-3 trebles"},
    {"Viol Basses", "crs 4-7 basses"},
}};
const std::array<const char*, 4> CalculationRows{"Diameter", "String Length", "Tension",
                                                 "String Tuning"};
const std::array<std::vector<std::string>, 4> CalculationItems{{
    {"String Length", "Tension"},
    {"Diameter", "Tension"},
    {"Diameter", "String Length"},
    {"Diameter", "String Length", "Tension"},
}};
const std::array<const char*, 4> PrecisionRows{"String Length", "Tension", "Gut Diameter",
                                               "Alternative Diam."};
const std::array<const char*, 3> PrecisionItems{"Two (.00)", "Three (.000)", "Four (.0000)"};

namespace {

// The recalculation mode each calculation list position stands for (0 length, 1 tension,
// 2 diameter), row by row.
const std::array<std::vector<uint8_t>, 4> CalculationCodes{{
    {rm_length, rm_tension},
    {rm_diameter, rm_tension},
    {rm_diameter, rm_length},
    {rm_diameter, rm_length, rm_tension},
}};

uint8_t* calculationSetting(TGlobalData& s, int row) {
    switch (row) {
    case 0:
        return &s.DiameterChangeMode;
    case 1:
        return &s.LengthChangeMode;
    case 2:
        return &s.TensionChangeMode;
    default:
        return &s.NoteChangeMode;
    }
}

int32_t* precisionSetting(TGlobalData& s, int row) {
    switch (row) {
    case 0:
        return &s.LengthDigits;
    case 1:
        return &s.TensionDigits;
    case 2:
        return &s.GutDiameterDigits;
    default:
        return &s.AltDiameterDigits;
    }
}

double rounded(long double value, int digits) {
    return static_cast<double>(RoundedOrKept(value, digits));
}

// Runs f on the collection of a catalogue kind 4..7.
template <class F> void withCatalogue(TCatalogues& c, int kind, F&& f) {
    switch (kind) {
    case mk_savarez:
        f(c.Savarez);
        break;
    case mk_pyramid:
        f(c.Pyramid);
        break;
    case mk_kuerschner:
        f(c.Kuerschner);
        break;
    case mk_aquila:
        f(c.Aquila);
        break;
    default:
        break;
    }
}

// A material filters strings between its minimum and maximum; the other way round it would
// let none through. name: the material's, for a message about a stored one.
std::string boundsProblem(double maxTension, double minTension, double maxDiameter,
                          double minDiameter, const std::string& name = {}) {
    const auto text = [&name](const char* figure) {
        return name.empty() ? "The minimum " + std::string(figure) + " is above the maximum."
                            : "The minimum " + std::string(figure) + " of " + name +
                                  " is above its maximum.";
    };
    if (minTension > maxTension)
        return text("tension");
    if (minDiameter > maxDiameter)
        return text("diameter");
    return {};
}

void copyCatalogues(TCatalogues& to, const TCatalogues& from) {
    to.Savarez.CopyFrom(from.Savarez);
    to.Pyramid.CopyFrom(from.Pyramid);
    to.Kuerschner.CopyFrom(from.Kuerschner);
    to.Aquila.CopyFrom(from.Aquila);
}

} // namespace

void TOptionsForm::Load(const TGlobalData& live) {
    Scratch.StringDefs = live.StringDefs;
    Scratch.DiameterChangeMode = live.DiameterChangeMode;
    Scratch.LengthChangeMode = live.LengthChangeMode;
    Scratch.TensionChangeMode = live.TensionChangeMode;
    Scratch.NoteChangeMode = live.NoteChangeMode;
    Scratch.LengthDigits = live.LengthDigits;
    Scratch.TensionDigits = live.TensionDigits;
    Scratch.GutDiameterDigits = live.GutDiameterDigits;
    Scratch.AltDiameterDigits = live.AltDiameterDigits;
    Scratch.DefaultTemperament = live.DefaultTemperament;
    Scratch.SetTensionUnit(live.TensionUnit);
    Scratch.DefaultMaker = live.DefaultMaker;
    Scratch.StartupChoice = live.StartupChoice;
    Scratch.DefaultInstrumentType = live.DefaultInstrumentType;
    Scratch.Materials.CopyMaterials(live.Materials);
    copyCatalogues(Scratch.Catalogues, live.Catalogues);

    SelectedMaterial = -1;
    EditPanelVisible = false;
    Shown = sc_none;
    WoundLines.clear();
    WoundTicks.clear();
    DeleteSelectedEnabled = false;
    RestoreEnabled = false;

    fillLists();
    Unit = Scratch.TensionUnit;
    Temperament = Scratch.DefaultTemperament;
    Maker = Scratch.DefaultMaker;
    Startup = Scratch.StartupChoice;
    NewFileType = Scratch.DefaultInstrumentType;
    showCalculations();
    showPrecision();
}

bool TOptionsForm::Store(TGlobalData& live) const {
    if (CheckMaterials().Index >= 0)
        return false;
    // Every control wrote into the scratch settings as it changed.
    live.StringDefs = Scratch.StringDefs;
    live.DiameterChangeMode = Scratch.DiameterChangeMode;
    live.LengthChangeMode = Scratch.LengthChangeMode;
    live.TensionChangeMode = Scratch.TensionChangeMode;
    live.NoteChangeMode = Scratch.NoteChangeMode;
    live.LengthDigits = Scratch.LengthDigits;
    live.TensionDigits = Scratch.TensionDigits;
    live.GutDiameterDigits = Scratch.GutDiameterDigits;
    live.AltDiameterDigits = Scratch.AltDiameterDigits;
    live.DefaultTemperament = Scratch.DefaultTemperament;
    live.DefaultMaker = Scratch.DefaultMaker;
    live.StartupChoice = Scratch.StartupChoice;
    live.DefaultInstrumentType = Scratch.DefaultInstrumentType;
    live.Materials.CopyMaterials(Scratch.Materials);
    copyCatalogues(live.Catalogues, Scratch.Catalogues);
    live.SetTensionUnit(Scratch.TensionUnit);
    live.NotifyChanged(sc_tension_unit | sc_materials);
    return true;
}

void TOptionsForm::fillLists() {
    MaterialItems.clear();
    for (const TStringMaterialItem& m : Scratch.Materials.Items())
        MaterialItems.push_back(m.Name);
    AlternativeItems = Scratch.Materials.AlternativeChoiceList();
    showAssignments();
}

void TOptionsForm::showAssignments() {
    for (int row = 0; row < 9; ++row) {
        const TStringDefs& d = Scratch.StringDefs[row];
        AssignmentChoice[row] = Scratch.Materials.AlternativeIndex(d.Name);
        AssignmentTension[row] =
            static_cast<double>(FromNewtons(d.Tension, Scratch.TensionUnit, Scratch.TensionDigits));
    }
}

void TOptionsForm::showCalculations() {
    const uint8_t diameter = Scratch.DiameterChangeMode;
    Calculation[0] = diameter == rm_length ? 0 : 1;
    Calculation[1] = Scratch.LengthChangeMode == rm_diameter ? 0 : 1;
    Calculation[2] = Scratch.TensionChangeMode == rm_diameter ? 0 : 1;
    switch (Scratch.NoteChangeMode) {
    case rm_diameter:
        Calculation[3] = 0;
        break;
    case rm_length:
        Calculation[3] = 1;
        break;
    case rm_tension:
        Calculation[3] = 2;
        break;
    default:
        break; // the list stays as it was
    }
}

void TOptionsForm::showPrecision() {
    for (int row = 0; row < 4; ++row) {
        const int32_t digits = *precisionSetting(Scratch, row);
        if (digits >= -4 && digits <= -2)
            Precision[row] = -2 - digits;
    }
}

void TOptionsForm::SetTemperament(int index) {
    if (index < 0 || index >= NamedTemperamentCount)
        return;
    Temperament = index;
    Scratch.DefaultTemperament = static_cast<uint8_t>(index);
}

void TOptionsForm::SetMaker(const std::string& text) {
    Maker = text;
    Scratch.DefaultMaker = text;
}

void TOptionsForm::SetStartup(int index) {
    if (index < 0 || index >= static_cast<int>(StartupItems.size()))
        return;
    Startup = index;
    Scratch.StartupChoice = static_cast<uint8_t>(index);
}

void TOptionsForm::SetNewFileType(int index) {
    if (index < 0 || index >= InstrumentTypeCount)
        return;
    NewFileType = index;
    Scratch.DefaultInstrumentType = index;
}

void TOptionsForm::SetUnit(int index) {
    if (index < tt_newtons || index > tt_pounds)
        return;
    Unit = index;
    Scratch.SetTensionUnit(static_cast<VornTensType>(index));
    showAssignments();
    if (SelectedMaterial >= 0)
        showFigures();
}

EntryRange TOptionsForm::TensionRange() const {
    return TensionRangeIn(SettingTensionRange, Scratch.TensionUnit);
}

void TOptionsForm::SetAssignmentChoice(int row, int position) {
    if (row < 0 || row >= 9 || position < 0 ||
        position >= static_cast<int>(AlternativeItems.size()))
        return;
    AssignmentChoice[row] = position;
    Scratch.StringDefs[row].Name = AlternativeItems[position];
}

void TOptionsForm::SetAssignmentTension(int row, double tension) {
    if (row < 0 || row >= 9 || !std::isfinite(tension))
        return;
    tension = TensionRange().Clamp(tension);
    AssignmentTension[row] = tension;
    Scratch.StringDefs[row].Tension = static_cast<float>(ToNewtons(tension, Scratch.TensionUnit));
}

void TOptionsForm::DefaultAssignments() {
    Scratch.StringDefs = TGlobalData().StringDefs;
    showAssignments();
}

void TOptionsForm::SetCalculation(int row, int position) {
    if (row < 0 || row >= 4 || position < 0 ||
        position >= static_cast<int>(CalculationCodes[row].size()))
        return;
    Calculation[row] = position;
    *calculationSetting(Scratch, row) = CalculationCodes[row][position];
}

void TOptionsForm::DefaultCalculations() {
    TGlobalData defaults;
    for (int row = 0; row < 4; ++row)
        *calculationSetting(Scratch, row) = *calculationSetting(defaults, row);
    showCalculations();
}

void TOptionsForm::SetPrecision(int row, int position) {
    if (row < 0 || row >= 4 || position < 0 || position > 2)
        return;
    Precision[row] = position;
    *precisionSetting(Scratch, row) = -2 - position;
    if (row == 1) {
        showAssignments();
        if (SelectedMaterial >= 0)
            showFigures();
    }
}

void TOptionsForm::DefaultPrecision() {
    TGlobalData defaults;
    for (int row = 0; row < 4; ++row)
        *precisionSetting(Scratch, row) = *precisionSetting(defaults, row);
    showPrecision();
    showAssignments();
}

void TOptionsForm::ChooseMaterial(int index) {
    if (index < 0 || index >= Scratch.Materials.Count())
        return;
    SelectedMaterial = index;
    EditPanelVisible = true;
    showFigures();
}

void TOptionsForm::showFigures() {
    const TStringMaterialItem& m = Scratch.Materials[SelectedMaterial];
    const VornTensType unit = Scratch.TensionUnit;
    Figures.Name = m.Name;
    Figures.Density = rounded(m.Density, -3);
    Figures.MaxTension =
        static_cast<double>(FromNewtons(m.MaxTension, unit, Scratch.TensionDigits));
    Figures.MinTension =
        static_cast<double>(FromNewtons(m.MinTension, unit, Scratch.TensionDigits));
    Figures.MaxDiameter = rounded(m.MaxDiameter, -3);
    Figures.MinDiameter = rounded(m.MinDiameter, -3);
    Figures.BreakingIndex = m.BreakingIndex;
}

void TOptionsForm::EditName(const std::string& text) {
    if (SelectedMaterial < 0)
        return;
    TStringMaterialItem& m = Scratch.Materials[SelectedMaterial];
    if (m.Kind == mk_other) {
        m.Name = text;
        MaterialItems[SelectedMaterial] = text;
        AlternativeItems = Scratch.Materials.AlternativeChoiceList();
    }
    Figures.Name = m.Name;
}

void TOptionsForm::EditDensity(double density) {
    if (SelectedMaterial < 0 || !std::isfinite(density))
        return;
    density = DensityRange.Clamp(density);
    Scratch.Materials[SelectedMaterial].Density = static_cast<float>(density);
    Figures.Density = density;
}

void TOptionsForm::EditMaxTension(double tension) {
    if (SelectedMaterial < 0 || !std::isfinite(tension))
        return;
    tension = TensionRange().Clamp(tension);
    Scratch.Materials[SelectedMaterial].MaxTension =
        static_cast<float>(ToNewtons(tension, Scratch.TensionUnit));
    Figures.MaxTension = tension;
}

void TOptionsForm::EditMinTension(double tension) {
    if (SelectedMaterial < 0 || !std::isfinite(tension))
        return;
    tension = TensionRange().Clamp(tension);
    Scratch.Materials[SelectedMaterial].MinTension =
        static_cast<float>(ToNewtons(tension, Scratch.TensionUnit));
    Figures.MinTension = tension;
}

void TOptionsForm::EditMaxDiameter(double diameter) {
    if (SelectedMaterial < 0 || !std::isfinite(diameter))
        return;
    Figures.MaxDiameter = rounded(MaterialDiameterRange.Clamp(diameter), Scratch.AltDiameterDigits);
    Scratch.Materials[SelectedMaterial].MaxDiameter = static_cast<float>(Figures.MaxDiameter);
}

void TOptionsForm::EditMinDiameter(double diameter) {
    if (SelectedMaterial < 0 || !std::isfinite(diameter))
        return;
    Figures.MinDiameter = rounded(MaterialDiameterRange.Clamp(diameter), Scratch.AltDiameterDigits);
    Scratch.Materials[SelectedMaterial].MinDiameter = static_cast<float>(Figures.MinDiameter);
}

void TOptionsForm::EditBreakingIndex(double index) {
    if (SelectedMaterial < 0 || !std::isfinite(index))
        return;
    Scratch.Materials[SelectedMaterial].BreakingIndex =
        static_cast<float>(BreakingIndexRange.Clamp(index));
    Figures.BreakingIndex = Scratch.Materials[SelectedMaterial].BreakingIndex;
}

void TOptionsForm::DefaultMaterials() {
    Scratch.Materials.Clear();
    Scratch.Materials.SetDefaultMaterials();
    SelectedMaterial = -1;
    EditPanelVisible = false;
    fillLists();
}

void TOptionsForm::AddMaterial(const MaterialFigures& added) {
    if (!CanAddMaterial(added))
        return;
    const EntryRange tensions = TensionRange();
    const auto newtons = [&](double t) {
        return static_cast<float>(ToNewtons(tensions.Clamp(t), Scratch.TensionUnit));
    };
    const auto mm = [](double d) { return static_cast<float>(MaterialDiameterRange.Clamp(d)); };
    Scratch.Materials.AddMaterial(
        added.Name, static_cast<float>(DensityRange.Clamp(added.Density)),
        newtons(added.MaxTension), newtons(added.MinTension), mm(added.MaxDiameter),
        mm(added.MinDiameter), static_cast<float>(BreakingIndexRange.Clamp(added.BreakingIndex)));
    fillLists();
}

MaterialDeletion TOptionsForm::DeleteQuestion() const {
    MaterialDeletion d;
    if (SelectedMaterial < 0 || SelectedMaterial >= Scratch.Materials.Count())
        return d;
    const TStringMaterialItem& m = Scratch.Materials[SelectedMaterial];
    if (m.Kind != mk_other) {
        d.Ask = MaterialDeletion::md_refused;
        d.Text = FixedMaterialMessage;
        return d;
    }
    d.Ask = MaterialDeletion::md_confirm;
    d.Caption = "Delete String Material";
    d.Text = "Click \"OK\" to delete " + m.Name + ", \"Cancel\" to leave the list unchanged.";
    return d;
}

void TOptionsForm::DeleteMaterial() {
    if (DeleteQuestion().Ask != MaterialDeletion::md_confirm)
        return;
    Scratch.Materials.DeleteMaterial(SelectedMaterial);
    SelectedMaterial = -1;
    EditPanelVisible = false;
    fillLists();
}

int TOptionsForm::catalogueKind() const {
    switch (Shown) {
    case sc_savarez:
        return mk_savarez;
    case sc_pyramid:
        return mk_pyramid;
    case sc_kuerschner:
        return mk_kuerschner;
    case sc_aquila:
        return mk_aquila;
    default:
        return -1;
    }
}

void TOptionsForm::ViewCatalogue(int shown) {
    if (shown < sc_none || shown > sc_aquila)
        return;
    Shown = shown;
    DeleteSelectedEnabled = false;
    RestoreEnabled = shown != sc_none;
    WoundLines.clear();
    const int kind = catalogueKind();
    // Row 0 stands for "thinner than any" and is never listed.
    for (int row = 1; kind >= 0 && row < Scratch.Catalogues.Count(kind); ++row)
        WoundLines.push_back(Scratch.Catalogues.EntryLabel(kind, row));
    WoundTicks.assign(WoundLines.size(), false);
}

void TOptionsForm::TickWound(int line, bool ticked) {
    if (line < 0 || line >= static_cast<int>(WoundTicks.size()))
        return;
    WoundTicks[line] = ticked;
    DeleteSelectedEnabled = false;
    for (bool t : WoundTicks)
        DeleteSelectedEnabled = DeleteSelectedEnabled || t;
}

void TOptionsForm::DeleteSelected() {
    const int kind = catalogueKind();
    if (kind < 0)
        return;
    withCatalogue(Scratch.Catalogues, kind, [this](auto& catalogue) {
        for (int line = static_cast<int>(WoundTicks.size()) - 1; line >= 0; --line)
            if (WoundTicks[line])
                catalogue.DeleteEntry(line + 1);
    });
    ViewCatalogue(Shown);
}

void TOptionsForm::RestoreCatalogue() {
    const int kind = catalogueKind();
    if (kind < 0)
        return;
    withCatalogue(Scratch.Catalogues, kind, [](auto& catalogue) { catalogue.Restore(); });
    ViewCatalogue(Shown);
}

TOptionsForm::MaterialProblem TOptionsForm::CheckMaterials() const {
    const auto& items = Scratch.Materials.Items();
    for (size_t i = 0; i < items.size(); ++i) {
        const TStringMaterialItem& m = items[i];
        // The stored figures, not the shown ones: rounding to the unit could hide an inversion.
        std::string problem =
            boundsProblem(m.MaxTension, m.MinTension, m.MaxDiameter, m.MinDiameter, m.Name);
        if (!problem.empty())
            return {static_cast<int>(i), std::move(problem)};
    }
    return {};
}

std::string FiguresProblem(const MaterialFigures& f) {
    return boundsProblem(f.MaxTension, f.MinTension, f.MaxDiameter, f.MinDiameter);
}

bool CanAddMaterial(const MaterialFigures& f) {
    const auto positive = [](double v) { return std::isfinite(v) && v > 0; };
    return !f.Name.empty() && positive(f.Density) && positive(f.MaxTension) &&
           positive(f.MinTension) && positive(f.MaxDiameter) && positive(f.MinDiameter) &&
           BreakingIndexRange.Holds(f.BreakingIndex) && FiguresProblem(f).empty();
}

} // namespace vorn

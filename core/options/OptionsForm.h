// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The options dialog's logic: a scratch copy of the global settings that the six pages edit,
// and what every control shows. The dialog only draws this and forwards the user's actions;
// the live settings change only through Store (OK).

#include <array>
#include <string>
#include <vector>

#include "document/GlobalData.h"

namespace vorn {

enum OptionsPage : int {
    op_new_files = 0,
    op_assignments = 1,
    op_calculations = 2,
    op_precision = 3,
    op_materials = 4,
    op_wounds = 5,
};
constexpr int OptionsPageCount = 6;
// Help topic of each page.
constexpr std::array<int, OptionsPageCount> OptionsPageHelp{160, 170, 180, 190, 200, 210};
constexpr int AddMaterialHelp = 205;

// Which catalogue the Wounds page lists.
enum ShownCatalogue : int {
    sc_none = 0,
    sc_pyramid = 1,
    sc_savarez = 2,
    sc_kuerschner = 3,
    sc_aquila = 4
};

// The texts of the pages' lists and rows.
extern const std::array<const char*, OptionsPageCount> OptionsPageCaptions;
extern const std::array<const char*, 3> StartupItems;
extern const std::array<const char*, 3> UnitItems;
extern const std::array<std::pair<const char*, const char*>, 9> AssignmentRowTexts;
// Calculations: the row texts and each row's list items.
extern const std::array<const char*, 4> CalculationRows;
extern const std::array<std::vector<std::string>, 4> CalculationItems;
extern const std::array<const char*, 4> PrecisionRows;
extern const std::array<const char*, 3> PrecisionItems;

// A material's figures as the edit panel shows them: density (g/cm³), tensions in the scratch
// unit, diameters (mm).
struct MaterialFigures {
    std::string Name;
    double Density = 0;
    double MaxTension = 0;
    double MinTension = 0;
    double MaxDiameter = 0;
    double MinDiameter = 0;
    double BreakingIndex = BreakingIndexRange.Initial; // Hz·m, 0 none
};

// What "Del" asks: a refusal, or a question to confirm.
struct MaterialDeletion {
    enum Kind : uint8_t { md_nothing, md_refused, md_confirm };
    Kind Ask = md_nothing;
    std::string Caption; // "Delete String Material" for the question
    std::string Text;
};

class TOptionsForm {
public:
    TGlobalData Scratch;

    // Copies the fields the dialog edits from the live settings and shows them; the view
    // states and window bounds stay out of it.
    void Load(const TGlobalData& live);
    // Copies the dialog's fields into the live settings; false, with live untouched, while
    // CheckMaterials finds a problem.
    bool Store(TGlobalData& live) const;

    // What the controls show.
    int Temperament = 0;                            // "Default Temperament", 0..8
    std::string Maker;                              // "Default Instrument Maker "
    int Startup = 1;                                // "Load on Startup:"
    int NewFileType = 3;                            // "Load on New File:", 0..23
    int Unit = tt_kilograms;                        // "Display Tension As:"
    std::vector<std::string> AlternativeItems;      // every assignment list
    std::vector<std::string> MaterialItems;         // the Materials page list
    std::array<int, 9> AssignmentChoice{};          // position in AlternativeItems
    std::array<double, 9> AssignmentTension{};      // in the scratch unit, rounded to its digits
    std::array<int, 4> Calculation{-1, -1, -1, -1}; // list positions; -1 none
    std::array<int, 4> Precision{-1, -1, -1, -1};

    // New Files page.
    void SetTemperament(int index);
    void SetMaker(const std::string& text);
    void SetStartup(int index);
    void SetNewFileType(int index);
    // Every tension box takes the unit; the assignments show again in it.
    void SetUnit(int index);
    // What every tension box takes, in the scratch unit.
    EntryRange TensionRange() const;

    // Assignments page: an edit goes into the scratch settings at once, so that refilling the
    // lists or changing the unit keeps it. tension in the scratch unit.
    void SetAssignmentChoice(int row, int position);
    void SetAssignmentTension(int row, double tension);
    void DefaultAssignments();

    // Calculations and Precision pages: list positions; -1 leaves the setting as it was.
    void SetCalculation(int row, int position);
    void DefaultCalculations();
    void SetPrecision(int row, int position);
    void DefaultPrecision();

    // Materials page.
    int SelectedMaterial = -1;
    bool EditPanelVisible = false;
    MaterialFigures Figures; // what the edit panel shows
    void ShowMaterialsPage() { EditPanelVisible = false; }
    void ChooseMaterial(int index);
    // Kind 8 takes the new name; any other keeps its own, which the box shows again.
    void EditName(const std::string& text);
    void EditDensity(double density);
    void EditMaxTension(double tension); // scratch unit
    void EditMinTension(double tension);
    void EditMaxDiameter(double diameter); // mm, rounded to the alternative diameter digits
    void EditMinDiameter(double diameter);
    void EditBreakingIndex(double index); // Hz·m, within BreakingIndexRange
    // "Defaults" after the user confirmed: the default materials again.
    void DefaultMaterials();
    // A kind-8 material from the add dialog (tensions in the scratch unit).
    void AddMaterial(const MaterialFigures& added);
    MaterialDeletion DeleteQuestion() const;
    // The user confirmed the deletion.
    void DeleteMaterial();
    // The first material OK cannot keep (a minimum above its maximum) and why; Index -1 when
    // there is none.
    struct MaterialProblem {
        int Index = -1;
        std::string Text;
    };
    MaterialProblem CheckMaterials() const;

    // Wounds page.
    int Shown = sc_none;
    std::vector<std::string> WoundLines; // rows 1.. of the shown catalogue
    std::vector<bool> WoundTicks;
    bool DeleteSelectedEnabled = false;
    bool RestoreEnabled = false;
    void ViewCatalogue(int shown);
    void TickWound(int line, bool ticked);
    void DeleteSelected();
    void RestoreCatalogue();

    // Captions and texts of the confirmation boxes.
    static constexpr const char* DefaultMaterialsCaption = "Default String Material List";
    static constexpr const char* DefaultMaterialsText =
        "All changes to the list will be lost. Click \"OK\" to proceed.";

private:
    void fillLists();
    void showAssignments();
    void showCalculations();
    void showPrecision();
    void showFigures();
    int catalogueKind() const; // material kind 4..7 of the shown catalogue; -1 for none
};

// Why a material cannot have these figures: a minimum tension or diameter above its maximum
// (equal is fine). Empty when it can.
std::string FiguresProblem(const MaterialFigures& figures);
// The add-material dialog's rule: OK only with a name, five figures above 0, a breaking index
// within its range (0 for none) and no FiguresProblem.
bool CanAddMaterial(const MaterialFigures& figures);

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The "Options" dialog: six pages over the options logic's scratch settings. It shows what
// the logic holds and forwards each edit; OK stores into the live settings, Cancel drops all.

#include <QDialog>

#include <array>
#include <functional>

#include "options/OptionsForm.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QWidget;

namespace vorn {

class TFloatEdit;
class TTensionEdit;

class TOptionsFormView : public QDialog {
    Q_OBJECT
public:
    explicit TOptionsFormView(std::function<void(int)> showHelp, QWidget* parent = nullptr);

    // Open: Begin, the dialog modally, then Finish with the answer. true after OK.
    bool Open(int page, TGlobalData& live);
    // The halves of Open, for callers (and tests) that drive the dialog themselves.
    void Begin(int page, const TGlobalData& live);
    void Finish(bool ok, TGlobalData& live);
    // OK: refused with a message while a material's minimum lies above its maximum.
    void accept() override;

    TOptionsForm& Model() { return model_; }
    int CurrentPage() const;
    QTabWidget* Pages() const { return pages_; }
    QDialogButtonBox* Buttons() const { return buttons_; }
    QComboBox* UnitCombo() const { return unit_; }
    QComboBox* AssignmentCombo(int row) const { return assignmentChoice_.at(row); }
    TTensionEdit* AssignmentBox(int row) const { return assignmentTension_.at(row); }
    QComboBox* CalculationCombo(int row) const { return calculation_.at(row); }
    QComboBox* PrecisionCombo(int row) const { return precision_.at(row); }
    QListWidget* MaterialList() const { return materials_; }
    QWidget* MaterialPanel() const { return materialPanel_; }
    QLineEdit* MaterialName() const { return materialName_; }
    TFloatEdit* MaterialDensity() const { return materialDensity_; }
    TTensionEdit* MaterialMaxTension() const { return materialMaxTension_; }
    TFloatEdit* MaterialMaxDiameter() const { return materialMaxDiameter_; }
    TFloatEdit* MaterialMinDiameter() const { return materialMinDiameter_; }
    TFloatEdit* MaterialBreakingIndex() const { return materialBreakingIndex_; }
    QPushButton* DeleteMaterialButton() const { return deleteMaterial_; }
    QPushButton* AddMaterialButton() const { return addMaterial_; }
    QPushButton* DefaultMaterialsButton() const { return defaultMaterials_; }
    QListWidget* WoundList() const { return wounds_; }
    QPushButton* DeleteSelectedButton() const { return deleteSelected_; }
    QPushButton* RestoreCatalogueButton() const { return restoreCatalogue_; }
    QPushButton* ViewCatalogueButton(int shown) const; // sc_savarez ...

    // Stand in for the message boxes and the add dialog (tests). Confirm answers OK/Cancel.
    std::function<bool(const QString& caption, const QString& text)> Confirm;
    std::function<void(const QString& text)> Inform;
    std::function<bool(VornTensType unit, MaterialFigures& added)> AskNewMaterial;

private:
    QWidget* buildNewFiles();
    QWidget* buildAssignments();
    QWidget* buildCalculations();
    QWidget* buildPrecision();
    QWidget* buildMaterials();
    void buildMaterialPanel(QWidget* page);
    void connectMaterials();
    QWidget* buildWounds();
    // Every control again from the logic.
    void refresh();
    void refreshMaterialPanel();
    void refreshWounds();
    bool confirm(const QString& caption, const QString& text);
    void inform(const QString& text);
    void addMaterial();
    void deleteMaterial();

    TOptionsForm model_;
    std::function<void(int)> showHelp_;
    bool refreshing_ = false;
    QTabWidget* pages_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;

    QComboBox* temperament_ = nullptr;
    QLineEdit* maker_ = nullptr;
    QComboBox* startup_ = nullptr;
    QComboBox* newFile_ = nullptr;
    QComboBox* unit_ = nullptr;
    std::array<QComboBox*, 9> assignmentChoice_{};
    std::array<TTensionEdit*, 9> assignmentTension_{};
    std::array<QComboBox*, 4> calculation_{};
    std::array<QComboBox*, 4> precision_{};
    QListWidget* materials_ = nullptr;
    QWidget* materialPanel_ = nullptr;
    QLineEdit* materialName_ = nullptr;
    TFloatEdit* materialDensity_ = nullptr;
    TTensionEdit* materialMaxTension_ = nullptr;
    TTensionEdit* materialMinTension_ = nullptr;
    TFloatEdit* materialMaxDiameter_ = nullptr;
    TFloatEdit* materialMinDiameter_ = nullptr;
    TFloatEdit* materialBreakingIndex_ = nullptr;
    QPushButton* defaultMaterials_ = nullptr;
    QPushButton* addMaterial_ = nullptr;
    QPushButton* deleteMaterial_ = nullptr;
    std::array<QPushButton*, 5> viewCatalogue_{};
    QPushButton* deleteSelected_ = nullptr;
    QPushButton* restoreCatalogue_ = nullptr;
    QListWidget* wounds_ = nullptr;
};

} // namespace vorn

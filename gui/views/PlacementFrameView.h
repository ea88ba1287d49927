// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The "Placement Chart" page: key selectors, the fret header that sets each fret to Mi or Fa,
// and six courses by thirteen note cells on a black fingerboard, coloured for the key.

#include <QWidget>

#include <array>
#include <functional>

#include "frets/PlacementFrame.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace vorn {

class TNotePanel;

// One header cell: the fret number over its choice; a click anywhere on it counts.
class TPlacementHeaderCell : public QWidget {
    Q_OBJECT
public:
    TPlacementHeaderCell(int fret, QWidget* parent);
    void Show(const PlacementHeader& header);
    int Fret() const { return fret_; }
    QString Number() const;
    QString Text() const;

signals:
    void clicked(int fret);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int fret_;
    QLabel* number_;
    QLabel* text_;
};

class TPlacementFrameView : public QWidget {
    Q_OBJECT
public:
    explicit TPlacementFrameView(QWidget* parent = nullptr);

    // Bind then Refresh: takes the document and shows its key, grid and header.
    void Bind(TInstDataType& document);
    TPlacementFrame& Model() { return model_; }

    QComboBox* MajorKeys() const { return major_; }
    QComboBox* MinorKeys() const { return minor_; }
    QLabel* KeyLabel() const { return keyLabel_; }
    QPushButton* DefaultsButton() const { return defaults_; }
    TPlacementHeaderCell* HeaderCell(int fret) const { return header_.at(fret - 1); }
    // Course 1..6, column 0 (the nut) .. 12.
    TNotePanel* Cell(int course, int column) const;
    QFrame* CellFrame(int course, int column) const;

    // The messages of a header click; message boxes unless replaced (tests).
    std::function<void(const QString& caption, const QString& text)> ShowInformation;
    std::function<bool(const QString& text)> AskYesNo;

    // A header click as the user makes it: refusal, or question and change.
    void ClickHeader(int fret);

private:
    void refresh();
    QLayout* buildKeys();
    void buildBoard();
    void place();

    TPlacementFrame model_;
    QComboBox* major_ = nullptr;
    QComboBox* minor_ = nullptr;
    QLabel* keyLabel_ = nullptr;
    QPushButton* defaults_ = nullptr;
    QWidget* board_ = nullptr;
    QLabel* hint_ = nullptr;
    std::array<TPlacementHeaderCell*, PlacementFrets> header_{};
    std::array<QLabel*, PlacementCourses> courseNumbers_{};
    std::array<std::array<QFrame*, PlacementColumns>, PlacementCourses> frames_{};
    std::array<std::array<TNotePanel*, PlacementColumns>, PlacementCourses> cells_{};
};

} // namespace vorn

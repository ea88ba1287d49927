// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The main window's side bar: two large view buttons, the command buttons and the size toggle
// that switches between a narrow bar of icons and a wide bar with captions.

#include <QFrame>
#include <QList>

class QAction;
class QToolButton;
class QVBoxLayout;

namespace vorn {

struct TMainActions;

class TSideBar : public QFrame {
    Q_OBJECT
public:
    static constexpr int NarrowWidth = 48;
    static constexpr int WideWidth = 88;
    static constexpr int NarrowButton = 23;
    static constexpr int WideButton = 65;
    static constexpr int BigButtonHeight = 45;

    explicit TSideBar(QWidget* parent = nullptr);

    // A full-width button whose caption shows in both sizes.
    QToolButton* AddBigButton(QAction* action, const QString& name);
    // A command button: icon only when narrow, icon and caption when wide.
    QToolButton* AddButton(QAction* action, const QString& name);
    void AddGap();
    // Ends the buttons; the size toggle sits at the bottom.
    void Finish();
    // The main window's buttons, in their groups, then Finish.
    void AddMainButtons(const TMainActions& actions);

    QToolButton* SizeToggle() const { return toggle_; }
    bool Wide() const { return wide_; }
    void SetWide(bool wide);

signals:
    void wideChanged(bool wide);

private:
    void applySize();

    QVBoxLayout* layout_;
    QList<QToolButton*> big_;
    QList<QToolButton*> buttons_;
    QToolButton* toggle_;
    bool wide_ = false;
};

} // namespace vorn

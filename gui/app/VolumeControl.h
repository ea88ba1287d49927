// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The small borderless volume window: a slider 0..127 for the next tone's amplitude. Once the
// pointer has been over it, it goes when the pointer leaves or it loses the activation.

#include <QWidget>

class QLabel;
class QScrollBar;
class QFrame;

namespace vorn {

class TVolumeControl : public QWidget {
    Q_OBJECT
public:
    explicit TVolumeControl(QWidget* parent = nullptr);

    int Volume() const; // 0..127, default 60
    void SetVolume(int v);
    QString LabelText() const;
    // Shows the window beside the pointer (left at x + 10, top at y - 10) or hides it.
    void ShowAtPointer(bool show, const QPoint& globalPointer);

signals:
    void hidden(); // whenever the window hides, for whatever reason

protected:
    void hideEvent(QHideEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    bool event(QEvent* e) override;

private:
    void updateLabel();
    QFrame* frame_;
    QScrollBar* slider_;
    QLabel* label_;
    bool entered_ = false; // well inside, for the band rule
    bool visited_ = false; // the pointer has been over the window since it was shown
};

} // namespace vorn

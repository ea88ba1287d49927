// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The sound of the main window: the one tone player, the volume window, the side bar's Play,
// Stop and Volume, the status bar's sound panels and the documents' play requests.

#include <QMessageBox>
#include <QObject>

#include <functional>

class QWidget;

namespace vorn {

class TSideBar;
class TStatusPanels;
class TToneControl;
class TTonePlayer;
class TVolumeControl;
class TVornFrame;
struct TMainActions;

class TSoundCommands : public QObject {
    Q_OBJECT
public:
    // The player and the volume window belong to window; the side bar holds the buttons of
    // actions' Play and Stop.
    TSoundCommands(QWidget* window, TSideBar& sideBar, const TMainActions& actions,
                   TStatusPanels& status);

    TToneControl* Tone() const { return tone_; }
    TTonePlayer* Player() const { return player_; }
    TVolumeControl* Volume() const { return volume_; }
    // The frame's play and stop requests reach the tone.
    void ConnectFrame(TVornFrame* frame);
    // Stops the tone and lets the sound server connection wind down; runs at exit before the
    // application object goes.
    void Shutdown();

    // Where the messages go: the window's message boxes.
    std::function<void(QMessageBox::Icon icon, const QString& caption, const QString& text)>
        Message;

private:
    TTonePlayer* player_;
    TVolumeControl* volume_;
    TToneControl* tone_;
    bool soundUsed_ = false;
};

} // namespace vorn

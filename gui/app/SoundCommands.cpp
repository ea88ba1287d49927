// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/SoundCommands.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QToolButton>

#include "app/MainActions.h"
#include "app/SideBar.h"
#include "app/StatusPanels.h"
#include "app/ToneControl.h"
#include "app/TonePlayer.h"
#include "app/VolumeControl.h"
#include "views/VornFrame.h"
#include "widgets/NotePanel.h"

namespace vorn {

TSoundCommands::TSoundCommands(QWidget* window, TSideBar& sideBar, const TMainActions& actions,
                               TStatusPanels& status)
    : QObject(window), player_(new TTonePlayer(window)), volume_(new TVolumeControl(window)),
      tone_(new TToneControl(*player_, *volume_, window)) {
    auto buttonOf = [&sideBar](const char* name) {
        return sideBar.findChild<QToolButton*>(QString::fromLatin1(name));
    };
    tone_->SetSideBarButtons(buttonOf("SpeedPlay"), buttonOf("SpeedStop"));
    tone_->ShowMessage = [this](const QString& text) {
        Message(QMessageBox::Information, QStringLiteral("Vorn"), text);
    };
    connect(tone_, &TToneControl::playStateText, this,
            [&status](const QString& text) { status.SetText(0, text); });
    connect(tone_, &TToneControl::frequencyText, this,
            [&status](const QString& text) { status.SetText(2, text); });
    connect(tone_, &TToneControl::noteShown, this, [this, &status](const NoteValue& note) {
        status.NoteDisplay()->SetNote(note);
        soundUsed_ = true;
    });
    // A box of its own: a status bar message would lie under the panels' texts.
    connect(player_, &TTonePlayer::outputUnavailable, this, [this] {
        Message(QMessageBox::Information, QStringLiteral("Vorn"),
                QStringLiteral("No audio output is available: tones are silent."));
    });
    // The side bar's Play and Stop toggles: Play replays the last tone, Stop silences.
    connect(actions.Play, &QAction::triggered, this, [this](bool down) {
        if (down)
            tone_->PlayLast();
        else
            tone_->StopTone();
    });
    connect(actions.Stop, &QAction::triggered, this, [this] { tone_->StopTone(); });
    connect(actions.Volume, &QAction::triggered, this,
            [this](bool down) { volume_->ShowAtPointer(down, QCursor::pos()); });
    QAction* volumeAction = actions.Volume;
    connect(volume_, &TVolumeControl::hidden, this,
            [volumeAction] { volumeAction->setChecked(false); });
}

void TSoundCommands::ConnectFrame(TVornFrame* frame) {
    connect(frame, &TVornFrame::playRequested, tone_,
            [this](int frequency, const NoteValue& note, QAbstractButton* button) {
                tone_->PlayTone(frequency, note, button);
            });
    connect(frame, &TVornFrame::stopRequested, tone_, [this] { tone_->StopTone(); });
}

void TSoundCommands::Shutdown() {
    player_->Shutdown();
    // The sound server's client thread needs a moment to close the stream; tearing the
    // connection down under it aborts the process now and then.
    if (soundUsed_) {
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 100)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        soundUsed_ = false;
    }
}

} // namespace vorn

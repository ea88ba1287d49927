// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/ToneControl.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QSignalBlocker>

#include "app/TonePlayer.h"
#include "app/VolumeControl.h"
#include "sound/ToneImage.h"
#include "widgets/FittedMessageBox.h"

namespace vorn {

TToneControl::TToneControl(TTonePlayer& player, TVolumeControl& volume, QObject* parent)
    : QObject(parent), player_(player), volume_(volume) {
    ShowMessage = [](const QString& text) {
        TFittedMessageBox::Ask(nullptr, QMessageBox::Information, QStringLiteral("Vorn"), text);
    };
}

void TToneControl::SetSideBarButtons(QAbstractButton* speedPlay, QAbstractButton* speedStop) {
    speedPlay_ = speedPlay;
    speedStop_ = speedStop;
}

// Buttons are set by the player without re-entering their own toggle handlers.
void TToneControl::setChecked(QAbstractButton* b, bool on) {
    if (!b)
        return;
    const QSignalBlocker block(b);
    b->setChecked(on);
}

void TToneControl::PlayTone(int frequency, const NoteValue& note, QAbstractButton* requester) {
    if (frequency < MinToneFrequency) {
        setChecked(speedPlay_, false);
        return;
    }
    if (lastPlayButton_ && lastPlayButton_ != requester)
        setChecked(lastPlayButton_, false);
    if (requester)
        setChecked(requester, true);
    setChecked(speedPlay_, true);
    setChecked(speedStop_, false);
    lastPlayButton_ = requester;
    lastFrequency_ = frequency;
    emit playStateText(QStringLiteral("Playing: "));
    emit frequencyText(QStringLiteral("%1htz.").arg(frequency));
    shownNote_ = note;
    emit noteShown(note);

    const int volume = volume_.Volume();
    if (frequency > MaxToneFrequency) {
        if (ShowMessage)
            ShowMessage(QString::fromStdString(ToneTooHighMessage(frequency)));
        return;
    }
    player_.Play(BuildToneImage(frequency, volume));
}

void TToneControl::StopTone() {
    setChecked(lastPlayButton_, false);
    setChecked(speedPlay_, false);
    setChecked(speedStop_, true);
    emit playStateText(QStringLiteral("Play: "));
    player_.Stop();
}

void TToneControl::PlayLast() {
    PlayTone(lastFrequency_, shownNote_, lastPlayButton_);
}

} // namespace vorn

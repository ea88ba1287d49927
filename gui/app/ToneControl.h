// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The one tone player of the main window: which button asked for the sounding tone, the
// side bar's Play and Stop states, the status texts and the note shown while playing.

#include <QAbstractButton>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

#include "pitch/NoteValue.h"

namespace vorn {

class TTonePlayer;
class TVolumeControl;

class TToneControl : public QObject {
    Q_OBJECT
public:
    TToneControl(TTonePlayer& player, TVolumeControl& volume, QObject* parent = nullptr);

    // The side bar's Play and Stop toggles.
    void SetSideBarButtons(QAbstractButton* speedPlay, QAbstractButton* speedStop);
    // frequency in whole Hz; requester is the play toggle that asked (may be null).
    void PlayTone(int frequency, const NoteValue& note, QAbstractButton* requester);
    void StopTone();
    // The side bar's Play: the last frequency with the shown note and the last button.
    void PlayLast();

    int LastFrequency() const { return lastFrequency_; }
    NoteValue ShownNote() const { return shownNote_; }
    QAbstractButton* LastPlayButton() const { return lastPlayButton_; }

    // Shows the too-high message; a message box unless replaced (tests).
    std::function<void(const QString&)> ShowMessage;

signals:
    void playStateText(const QString& text); // status panel 0: "Playing: " or "Play: "
    void frequencyText(const QString& text); // status panel 2: "440htz."
    void noteShown(const NoteValue& note);   // the status bar's note display

private:
    void setChecked(QAbstractButton* b, bool on);
    TTonePlayer& player_;
    TVolumeControl& volume_;
    QPointer<QAbstractButton> speedPlay_;
    QPointer<QAbstractButton> speedStop_;
    QPointer<QAbstractButton> lastPlayButton_;
    int lastFrequency_ = 440;
    NoteValue shownNote_{69, 0, 0};
};

} // namespace vorn

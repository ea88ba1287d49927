// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The pitch table of one document: the seventeen notes of the extended meantone scale for
// one comma fraction and pitch standard.

#include <array>

#include "pitch/NoteValue.h"

namespace vorn {

class FrequencyRecord {
public:
    // Scale order: C, C#, Db, D, D#, Eb, E, F, F#, Gb, G, G#, Ab, A, A#, Bb, B.
    static constexpr int ScaleSize = 17;

    // Built for 1/6.05 comma at A = 440 Hz until Compute is called.
    FrequencyRecord();

    // commaFraction: fraction of the syntonic comma (0 = pure fifths, usually 0..0.34);
    // pitchA: frequency of A in Hz (> 0). Note 69 then sounds at pitchA moved by whole
    // octaves into (256, 512] Hz.
    void Compute(double commaFraction, double pitchA);

    // Frequency in Hz of the note as spelled by its Accidental: sharp and flat pick their
    // own scale positions, so B-sharp and E-sharp sound as C and F, F-flat and C-flat as E
    // and B; no sign, a natural and the double signs sound as the plain note.
    double NoteFrequency(const NoteValue& note) const;

    std::array<double, ScaleSize> Cents{}; // cents above C
    std::array<double, ScaleSize> Base{};  // Hz in octave 0 (C near 16 Hz)
};

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A meantone temperament as a Scala scale file (the plain-text format electronic tuners and
// synthesizers read): comment lines, a description, the note count, then each note's cents
// above the tonic with five decimals and the octave as 2/1.

#include <string>
#include <vector>

#include "pitch/FretRecord.h"
#include "pitch/FretScale.h"

namespace vorn {

// Twelve notes follow the fret choices (the Mi or Fa of each semitone, as the frets are tied);
// seventeen give both the sharp and the flat of every chromatic step, in ascending order.
// commaFraction: of the syntonic comma (0 pure fifths, 1/4 quarter comma). The octave is not
// in the list.
std::vector<double> ScalaCents(double commaFraction, const FretChoices& choices, int notes);

// The whole file; fileName goes into the first comment line, description (one line, no line
// breaks) names the temperament. CR LF is not used: Scala files are read line by line.
std::string ScalaFile(const std::string& fileName, const std::string& description,
                      double commaFraction, const FretChoices& choices, int notes);

// A rule's or a read scale's pitches written the same way, so that they read back as the
// same scale; its source goes into a comment line.
std::string ScalaFileOfScale(const std::string& fileName, const FretScale& scale);

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Turns core results into the calculator's JSON and readable tables.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "files/FileFrame.h"
#include "frets/PlacementFrame.h"
#include "pitch/FretDistribution.h"
#include "pitch/FretScale.h"
#include "strings/StringRecord.h"

namespace vorn::calc {

struct NoteResult {
    NoteValue Note;
    std::string Name;
    std::string ShortName;
    double Frequency = 0;
};

nlohmann::ordered_json NoteJson(const NoteResult& r);
std::string NoteTable(const NoteResult& r);

nlohmann::ordered_json FretsJson(const FretDistribution& d, const std::string& temperament);
std::string FretsTable(const FretDistribution& d, const std::string& temperament);
// The same for frets set by a scale: its name in "temperament", no fifth (null), and where the
// scale comes from.
nlohmann::ordered_json ScaleFretsJson(const FretDistribution& d, const FretScale& scale);
std::string ScaleFretsTable(const FretDistribution& d, const FretScale& scale);

nlohmann::ordered_json StringJson(const StringRecord& row, const StringSettings& settings);
std::string StringTable(const StringRecord& row, const StringSettings& settings);

// The highest note a plain string of a material takes at a length and margin.
struct LimitResult {
    std::string Material;
    double Index = 0;               // Hz·m
    double Length = 0;              // cm
    double Margin = 0;              // semitones
    double MaxFrequency = 0;        // Hz
    std::optional<NoteResult> Note; // none when even the lowest note is too high
};
nlohmann::ordered_json LimitJson(const LimitResult& r);
std::string LimitTable(const LimitResult& r);

nlohmann::ordered_json CatalogueJson(const std::string& label, int index);
std::string CatalogueTable(const std::string& name, const std::string& label, int index);

// The placement editor's grid: key, twelve header cells, six courses of thirteen cells.
nlohmann::ordered_json PlacementJson(const TPlacementFrame& editor, uint8_t key);
std::string PlacementTable(const TPlacementFrame& editor, uint8_t key);

// A document as the program opens it: header fields, bridge tension and every string row.
nlohmann::ordered_json ShowJson(const TFileFrame& frame);
std::string ShowTable(const TFileFrame& frame);

// JSON as the calculator prints it, indented, with a line end. Never throws: a text that is
// not UTF-8 (a file name may be any bytes) has its bad bytes replaced by U+FFFD.
std::string JsonText(const nlohmann::ordered_json& j);

// "N", "kg" or "lb": the calculator's own names of the tension units.
std::string UnitOptionName(VornTensType unit);
// A 32-bit field value as the row shows it, widened without binary noise (35.21f -> 35.21).
double Shown(float value);

} // namespace vorn::calc

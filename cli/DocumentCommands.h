// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The calculator's document commands: new, show, convert, report, and the fret pages of a
// document.

#include <optional>
#include <ostream>
#include <string>

#include "pitch/FretScale.h"

namespace vorn {
class TGlobalData;
}

namespace vorn::calc {

// Reads a settings file (.vrn) and the preferences file beside it into settings; false, with
// the reason on err, when the settings file cannot be read or is not one.
// "cannot read X: reason" with the path once: the file layer's reasons often start with it.
std::string FileFailure(const std::string& verb, const std::string& path, const std::string& error);

bool LoadCalcSettings(const std::string& path, TGlobalData& settings, std::ostream& err);

// Each returns the exit code: 0 done, 1 a file was refused or could not be read or written.
int RunNew(int type, const std::string& path, const std::optional<std::string>& settingsPath,
           std::ostream& out, std::ostream& err);
int RunShow(const std::string& path, const std::optional<std::string>& settingsPath, bool json,
            std::ostream& out, std::ostream& err);
// The Fret Chart of a document: its top string, length, pitch, temperament and fret choices,
// or its scale in place of the last two.
int RunDocumentFrets(const std::string& path, const std::optional<std::string>& settingsPath,
                     bool json, std::ostream& out, std::ostream& err);
// The Placement Chart of a document, in its own key or in key 0..29.
int RunPlacement(const std::string& path, std::optional<int> key,
                 const std::optional<std::string>& settingsPath, bool json, std::ostream& out,
                 std::ostream& err);
// A whole-instrument change as the Globals dialogs make it; absent parts are left alone.
struct ChangeRequest {
    std::string Path;
    std::string Output;
    std::optional<std::string> Settings;
    // Tuning.
    std::optional<double> Pitch;
    std::optional<int> Temperament; // 0..8
    std::optional<double> Comma;    // a fraction of the comma of its own
    // Frets by this scale from now on; a Temperament or a Comma instead takes a scale away.
    std::optional<FretScale> Scale;
    std::optional<int> Transpose; // -12..12 semitones
    // Course types: ck_single, ck_unison, ck_bass_with_octave, or 0 for the defaults.
    std::optional<int> CourseKinds;
    std::optional<int> Courses;
    int NewKindPosition = 2;       // 0 single, 1 unison, 2 bass with octave
    std::optional<double> Tension; // in TensionUnit
    int TensionUnit = 1;
    bool DefaultTensions = false;
    std::optional<std::string> Alternative;
    bool DefaultAlternatives = false;
    std::optional<double> GutDensity;
    int GutAffects = -1; // rm_length or rm_tension; -1 keeps the settings' rule
    std::optional<double> Length;
    std::optional<double> SecondLength;
    int FromCourse = 8;
    bool NoSecondLength = false;
};
// Applies the changes in the Globals menu's order and writes the result; 2 for a value the
// document cannot take (an alternative not in its list), with nothing written.
int RunChange(const ChangeRequest& request, std::ostream& out, std::ostream& err);

// A Scala scale: of a document (its temperament and the fret choices its Fret Chart uses) or
// of a temperament with the standard choices. notes 12 or 17.
int RunScala(const std::optional<std::string>& documentPath, int temperament, double fraction,
             int notes, const std::string& output, std::ostream& out, std::ostream& err);

// The full-scale fret template of a document's top string, by the output's extension: PDF or
// SVG pages (letter: US Letter paper instead of A4), a DXF drawing in one piece, or a CSV
// table of the frets.
int RunTemplate(const std::string& path, const std::string& output, bool letter, bool alternatives,
                std::ostream& out, std::ostream& err);

// What to buy to string a document, as text or CSV on standard output: gut, or with
// byAlternative each string as its alternative names it.
int RunOrder(const std::string& path, const std::optional<std::string>& settingsPath, bool csv,
             bool byAlternative, std::ostream& out, std::ostream& err);

enum class ReportFormat { Html, Text, Pdf };
struct ReportRequest {
    std::string Path;
    std::optional<std::string> Settings;
    std::optional<std::string> Output; // standard output when absent (not for PDF)
    bool Strings = true;
    bool Frets = true;
    ReportFormat Format = ReportFormat::Html;
    bool Letter = false; // the PDF's paper, else A4
};
// The report of a document as the print window builds it, with '.' as decimal separator.
int RunReport(const ReportRequest& request, std::ostream& out, std::ostream& err);
int RunConvert(const std::string& oldPath, const std::string& newPath, std::ostream& out,
               std::ostream& err);

} // namespace vorn::calc

#pragma once
// The calculator's document commands: new, show, convert, report, and the fret pages of a
// document.

#include <optional>
#include <ostream>
#include <string>

namespace vorn::calc {

// Each returns the exit code: 0 done, 1 a file was refused or could not be read or written.
int RunNew(int type, const std::string& path, const std::optional<std::string>& settingsPath,
           std::ostream& out, std::ostream& err);
int RunShow(const std::string& path, const std::optional<std::string>& settingsPath, bool json,
            std::ostream& out, std::ostream& err);
// The Fret Chart of a document: its top string, length, pitch, temperament and fret choices.
int RunDocumentFrets(const std::string& path, const std::optional<std::string>& settingsPath,
                     bool json, std::ostream& out, std::ostream& err);
// The Placement Chart of a document, in its own key or in key 0..29.
int RunPlacement(const std::string& path, std::optional<int> key,
                 const std::optional<std::string>& settingsPath, bool json, std::ostream& out,
                 std::ostream& err);
enum class ReportFormat { Html, Text, Pdf };
struct ReportRequest {
    std::string Path;
    std::optional<std::string> Settings;
    std::optional<std::string> Output; // standard output when absent (not for PDF)
    bool Strings = true;
    bool Frets = true;
    ReportFormat Format = ReportFormat::Html;
};
// The report of a document as the print window builds it, with '.' as decimal separator.
int RunReport(const ReportRequest& request, std::ostream& out, std::ostream& err);
int RunConvert(const std::string& oldPath, const std::string& newPath, std::ostream& out,
               std::ostream& err);

} // namespace vorn::calc

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The words of a PDF with their boxes, as poppler's `pdftotext -bbox` reads them, to check
// that nothing of a page is set outside it.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace vorn::testing {

struct PdfWord {
    int Page = 0;                                  // 0-based
    double XMin = 0, YMin = 0, XMax = 0, YMax = 0; // points from the top left
    std::string Text;
};

struct PdfWords {
    bool Read = false;                            // pdftotext ran and wrote its page list
    std::vector<std::pair<double, double>> Pages; // width, height in points
    std::vector<PdfWord> Words;

    // "word [x0, x1] x [y0, y1] on page n" for every word not wholly inside its page less
    // `margin` points on every side. pdftotext reports what a clip hides too: to see what
    // prints, pass the margins the page is clipped at.
    std::vector<std::string> Outside(double margin) const {
        std::vector<std::string> out;
        for (const PdfWord& w : Words) {
            const auto [width, height] = Pages.at(w.Page);
            if (w.XMin < margin || w.YMin < margin || w.XMax > width - margin ||
                w.YMax > height - margin) {
                std::ostringstream s;
                s << w.Text << " [" << w.XMin << ", " << w.XMax << "] x [" << w.YMin << ", "
                  << w.YMax << "] on page " << w.Page + 1;
                out.push_back(s.str());
            }
        }
        return out;
    }
    bool Has(const std::string& text) const {
        for (const PdfWord& w : Words)
            if (w.Text == text)
                return true;
        return false;
    }
};

inline std::string unescaped(std::string s) {
    const std::pair<const char*, const char*> entities[] = {
        {"&quot;", "\""}, {"&apos;", "'"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}};
    for (const auto& [entity, c] : entities)
        for (size_t at = s.find(entity); at != std::string::npos; at = s.find(entity, at + 1))
            s.replace(at, std::string(entity).size(), c);
    return s;
}

inline PdfWords ReadPdfWords(const std::filesystem::path& pdf) {
    PdfWords r;
    const std::filesystem::path out = pdf.string() + ".bbox.html";
    const std::string cmd = "pdftotext -bbox '" + pdf.string() + "' '" + out.string() + "'";
    if (std::system(cmd.c_str()) != 0)
        return r;
    std::ifstream in(out);
    const std::regex page(R"re(<page width="([0-9.]+)" height="([0-9.]+)">)re");
    const std::regex word(
        R"re(<word xMin="([-0-9.]+)" yMin="([-0-9.]+)" xMax="([-0-9.]+)" yMax="([-0-9.]+)">(.*)</word>)re");
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_search(line, m, page)) {
            r.Pages.emplace_back(std::stod(m[1]), std::stod(m[2]));
        } else if (std::regex_search(line, m, word) && !r.Pages.empty()) {
            r.Words.push_back({static_cast<int>(r.Pages.size()) - 1, std::stod(m[1]),
                               std::stod(m[2]), std::stod(m[3]), std::stod(m[4]), unescaped(m[5])});
        }
    }
    r.Read = !r.Pages.empty();
    std::filesystem::remove(out);
    return r;
}

} // namespace vorn::testing

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A document built from an instrument template with its string chart, for the chart tests.

#include <cmath>

#include "chart/StrFrame.h"

namespace vorn::testing {

struct Chart {
    TGlobalData settings;
    TInstDataType doc;
    TStrFrame chart{doc, settings};
    int bridgeNotices = 0;

    explicit Chart(int type = 3, VornTensType unit = tt_kilograms) {
        settings.SetTensionUnit(unit);
        doc.ApplyTemplate(type, settings.DefaultTemperament, settings.DefaultMaker);
        chart.OnBridgeChanged = [this] { ++bridgeNotices; };
        chart.BuildCourses();
    }

    TOneCrsPanel& course(int n) { return chart.Course(n - 1); }

    // The rows again from the document as it stands.
    void rebuild() {
        chart.Courses.clear();
        chart.Built = false;
        chart.BuildCourses();
    }

    // What the string's gut diameter must be for its note, length and tension.
    float expectedGut(const TOneStringPanel& s) const {
        return static_cast<float>(
            RoundToDigits(CalcDiameter(s.Rec.Length, s.Rec.Frequency, s.Rec.TensionN,
                                       settings.Materials.Reference().Density),
                          settings.GutDiameterDigits));
    }

    // What the string's tension must be for its note, length and gut diameter, in N.
    float expectedTension(const TOneStringPanel& s) const {
        return SettledTension(CalcTension(settings.Materials.Reference().Density, s.Rec.GutDiameter,
                                          s.Rec.Length, s.Rec.Frequency),
                              settings.TensionDigits);
    }
    // What the tension cell shows.
    float shown(const TOneStringPanel& s) const { return s.ShownTension(settings); }

    double frequencyOf(NoteValue note) const { return chart.Pitch.NoteFrequency(note); }
};

} // namespace vorn::testing

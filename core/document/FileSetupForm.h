// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The "File Setup" page of a new document: what its controls show, and how a change of one of
// them reaches the document. Every change is applied when the user makes it; nothing on the
// page is applied again later (pressing "View Strings" copies nothing).

#include <string>

#include "document/InstDataType.h"

namespace vorn {

struct FileSetupForm {
    std::string InstrumentName;
    std::string MakerName;
    int CourseCount = 10;                                             // MinCourses..MaxCourses
    double StringLength = TopLengthRange.Initial;                     // cm, TopLengthRange
    bool UseSecondLength = false;                                     // "Use Second Strng Length"
    double SecondStringLength = SecondLengthRange.Initial;            // cm, SecondLengthRange
    int SecondLengthFrom = static_cast<int>(SecondFromRange.Initial); // course, SecondFromRange
    int PitchIndex = 1;  // position in PitchStandards; -1 none
    double APitch = 440; // Hz, APitchRange
    int Temperament = 5; // 0..8; -1 for a custom temperament, which the list does not hold

    // What the page shows for a document. The second-length boxes keep what they showed
    // (`shownBefore`) when the document uses no second length, as the page's boxes do.
    static FileSetupForm Show(const TInstDataType& document, const FileSetupForm& shownBefore);
    static FileSetupForm Show(const TInstDataType& document) { return Show(document, {}); }
    // Writes what the page shows into the document; the document's second length and its
    // first course are left alone while the box is not ticked. Show then Apply changes nothing.
    void Apply(TInstDataType& document) const;

    // The entries, each within its range (a value outside goes to the nearest end; one that is
    // not a number leaves the field as it was).
    void TypeStringLength(double cm);
    void TypeSecondLength(double cm);
    void TypeFromCourse(int course);
    void ChooseCourseCount(int count);
    void ChoosePitch(int index); // the A-pitch follows
    void TypePitch(double hz);   // the pitch list follows
};

} // namespace vorn

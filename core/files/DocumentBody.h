// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The body of a document file: the header of the document's fields, then one course record
// per course (see CourseRecord).

#include <string>

namespace vorn {

class ByteReader;
class ByteWriter;
class TStrFrame;
class TInstDataType;

// Fields 3 to 19, after version and title; throws ReadError when the bytes run out.
void ReadDocumentHeader(ByteReader& in, TInstDataType& d);
// What the rest of the program relies on: tables are indexed by these values and every
// calculation divides by lengths and pitches. HeaderFault says which value breaks it, empty
// when none does.
std::string HeaderFault(const TInstDataType& d);
inline bool HeaderIsSound(const TInstDataType& d) {
    return HeaderFault(d).empty();
}

// Every string of every row holds what a document file can hold again and shows nothing
// that is not a number: a length that is finite and above 0, a tension and a gut diameter
// that are finite and not negative, a finite frequency and alternative diameter, and a
// finite bridge load. RowsFault names the first string that breaks it, empty when none does.
std::string RowsFault(const TStrFrame& chart);
inline bool RowsAreSound(const TStrFrame& chart) {
    return RowsFault(chart).empty();
}

// Writes the chart's document with the records of its rows, which are first copied into the
// document. A document whose rows were never built gets the records of rows built on a copy.
// A document fretted by a scale ends with its scale block (see ScaleBlock).
void WriteDocumentBody(TStrFrame& chart, ByteWriter& out);

} // namespace vorn

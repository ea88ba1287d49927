// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// How the document file and the settings file begin: the version as a 6-byte real (2.0 today,
// 1.0 for older documents) and, from version 2.0 on, the program's title.

namespace vorn {

class ByteReader;
class ByteWriter;

// The program's title, compared by the readers.
inline constexpr const char* ProgramTitle = "Vorn";

void WriteVersion(ByteWriter& out, double version);
// 2.0 or 1.0; 0 for any other value.
double ReadVersion(ByteReader& in);
// Version 2.0 and the title.
void WriteFileHeader(ByteWriter& out);

} // namespace vorn

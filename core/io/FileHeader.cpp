// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/FileHeader.h"

#include "io/ByteWriter.h"
#include "io/Real48.h"

namespace vorn {

void WriteVersion(ByteWriter& out, double version) {
    WriteReal48(out, version);
}

double ReadVersion(ByteReader& in) {
    const double v = ReadReal48(in);
    return v == 2.0 || v == 1.0 ? v : 0;
}

void WriteFileHeader(ByteWriter& out) {
    WriteVersion(out, 2.0);
    out.str(ProgramTitle);
}

} // namespace vorn

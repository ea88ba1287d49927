// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Writes documents of the older format for the import tests and the fuzz seeds. The items the
// import skips are filled with nonzero bytes so that a wrong skip shows up.

#include <cstdint>
#include <string>
#include <vector>

#include "files/DocumentFile.h"
#include "io/ByteWriter.h"
#include "io/FileHeader.h"
#include "io/Real48.h"

namespace vorn::testing {

struct OldString {
    double Length = 60; // cm
    double Tension = 3; // tens of newtons
};

struct OldBody {
    uint8_t First = 0x2A;
    double TopLength = 60;
    double SecondLength = 0;
    uint8_t SecondFrom = 0;
    uint8_t PitchFlag = 1;
    uint8_t UseSecond = 0;
    uint8_t Code = 0;
    uint8_t Courses = 6;
    std::string Name = "Old lute";
    std::string Maker = "Old maker";
    std::u16string Tuning; // one unit per course; the last is never read
    std::u16string Setup;
    std::vector<OldString> Strings;
};

inline void writeUnits(ByteWriter& out, const std::u16string& units) {
    out.u8(static_cast<uint8_t>(units.size()));
    for (char16_t u : units) {
        out.u8(static_cast<uint8_t>(u & 0xFF));
        out.u8(static_cast<uint8_t>(u >> 8));
    }
}

inline void writeFillerReals(ByteWriter& out, int n) {
    for (int i = 0; i < n; ++i)
        WriteReal48(out, 1.5 + i);
}

// Only what follows the version.
inline std::string OldBodyBytes(const OldBody& b) {
    ByteWriter out;
    out.u8(b.First);
    for (int block = 0; block < 4; ++block) {
        out.str("skip");
        writeFillerReals(out, block < 3 ? 5 : 9);
    }
    for (int i = 0; i < 4; ++i)
        out.u8(0x55);
    WriteReal48(out, b.TopLength);
    WriteReal48(out, b.SecondLength);
    out.u8(b.SecondFrom);
    out.u8(b.PitchFlag);
    out.u8(b.UseSecond);
    out.u8(b.Code);
    out.u8(b.Courses);
    out.u8(0x77);
    out.str(b.Name);
    out.str(b.Maker);
    writeUnits(out, b.Tuning);
    writeUnits(out, b.Setup);
    out.str("x");
    out.str("yz");
    for (const OldString& s : b.Strings) {
        WriteReal48(out, s.Length);
        WriteReal48(out, s.Tension);
        out.str("string");
        writeFillerReals(out, 5);
    }
    return out.take();
}

inline std::string OldFileBytes(const OldBody& b) {
    ByteWriter out;
    WriteVersion(out, 1.0);
    out.raw(OldBodyBytes(b));
    return out.take();
}

} // namespace vorn::testing

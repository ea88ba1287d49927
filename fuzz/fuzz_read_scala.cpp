// SPDX-License-Identifier: GPL-3.0-or-later

// Read a Scala scale from arbitrary bytes: a scale that fits a fretboard, or a refusal with a
// reason, never both and never neither.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "frets/ScalaReader.h"
#include "pitch/FretScale.h"

using namespace vorn;

namespace {

// Every fret lies on the string, each one beyond the one before on both its sides.
void checkFrets(const FretScale& scale) {
    if (!IsUsableScale(scale))
        std::abort();
    double before = 0;
    for (const ScaleFret& f : ScaleFrets(scale)) {
        const double low = f.Fa ? std::fmin(f.Position, *f.Fa) : f.Position;
        const double high = f.Fa ? std::fmax(f.Position, *f.Fa) : f.Position;
        if (!(low > before) || !(high < 1) || (f.Fa && !(low < high)))
            std::abort();
        before = high;
    }
    const FretDistribution d = ScaleFretDistribution(scale, {60, 0, 0}, 60, 261.6);
    for (const FretRow& row : d.Rows)
        if (!std::isfinite(row.Main.Distance) || !std::isfinite(row.Main.Frequency) ||
            row.Main.Name.empty() || row.Alt.has_value() != (row.Choice != fc_fixed))
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const ScalaReading read = ReadScalaScale(bytes, "fuzz.scl");
    if (read.Scale.has_value() == read.Refusal.has_value())
        std::abort();
    if (read.Refusal) {
        if (read.Refusal->Reason.empty() || read.Refusal->Line < 0 ||
            static_cast<size_t>(read.Refusal->Line) > size + 1)
            std::abort();
        return 0;
    }
    checkFrets(*read.Scale);
    return 0;
}

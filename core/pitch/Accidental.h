// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The signs a note can be written with: shared by the notes and the keys that spell them.

#include <cstdint>

namespace vorn {

enum Accidental : uint8_t {
    acc_none = 0,
    acc_double_flat = 1,
    acc_flat = 2,
    acc_natural = 3,
    acc_sharp = 4,
    acc_double_sharp = 5,
};

} // namespace vorn

// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A table row's description as a GoogleTest case name: every character a name cannot hold
// becomes '_'.

#include <cctype>
#include <string>

namespace vorn::testing {

inline std::string CaseName(std::string text) {
    for (char& c : text)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return text;
}

} // namespace vorn::testing

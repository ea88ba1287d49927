// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// For the suites ctest runs a second time in a German desktop's environment.

#include <QByteArray>

#include <clocale>
#include <cstring>

namespace vorn::testing {

// False when the environment asks for German but the C library writes no German numbers (the
// locale is not installed): such a run would prove nothing. Call once the application object
// exists, as it hands the environment's locale to the C library.
inline bool GermanAsAsked() {
    if (!qgetenv("LC_ALL").startsWith("de_DE"))
        return true;
    return std::strcmp(std::localeconv()->decimal_point, ",") == 0;
}

} // namespace vorn::testing

// SPDX-License-Identifier: GPL-3.0-or-later

#include <iostream>

#include "VornCalc.h"

int main(int argc, char* argv[]) {
    return vorn::calc::RunVornCalc(argc, argv, std::cout, std::cerr);
}

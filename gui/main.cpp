// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/ProgramRun.h"

int main(int argc, char* argv[]) {
    return vorn::RunProgram(argc, argv);
}

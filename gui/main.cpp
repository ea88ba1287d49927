#include "app/ProgramRun.h"

int main(int argc, char* argv[]) {
    return vorn::RunProgram(argc, argv);
}

#include <iostream>

#include "VornCalc.h"

int main(int argc, char* argv[]) {
    return vorn::calc::RunVornCalc(argc, argv, std::cout, std::cerr);
}

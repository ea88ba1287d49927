// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Runs the vorn-calc program and captures what it says.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace vorn::testing {

inline std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct CalcRun {
    int exitCode = -1;
    std::string out;
    std::string err;
    nlohmann::json parsed() const { return nlohmann::json::parse(out); }
};

inline CalcRun calc(const std::string& args) {
    const auto dir = std::filesystem::temp_directory_path();
    const auto tag = std::to_string(::getpid()) + "_" + std::to_string(std::rand());
    const auto outPath = dir / ("vorncalc_out_" + tag);
    const auto errPath = dir / ("vorncalc_err_" + tag);
    const std::string cmd = std::string(VORN_CALC_PATH) + " " + args + " >" + outPath.string() +
                            " 2>" + errPath.string() + " </dev/null";
    const int status = std::system(cmd.c_str());
    CalcRun r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = slurp(outPath);
    r.err = slurp(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return r;
}

} // namespace vorn::testing

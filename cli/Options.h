#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vertano::cli {

// Everything the command line can say. Later commands add their fields here, so
// that all options are parsed and documented in one place.
struct Options {
    std::string command;  // "check", "convert" or "help"
    bool help = false;
    uint8_t angleUnit = 1;   // settings codes: 0 rad, 1 gon, 2 deg, 3 D.MMSS
    uint8_t lengthUnit = 0;  // 0 m, 1 ft
    int format = -1;         // --format: 0 MTX, 1 ASC; -1 = by extension
    int to = -1;             // --to: output format
    bool exportMode = false;
    std::vector<std::string> inputs;
    std::string output;
};

// Exit statuses of the program.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRejected = 1;
inline constexpr int kExitUsage = 2;

// Parses the arguments after the program name. False with an English message on
// a usage error (unknown command or option, missing or bad value).
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

std::string HelpText();

}  // namespace vertano::cli

#pragma once

#include <optional>

#include "sim_options.h"

namespace printer_sim {

// Reads the simulator's options. On --help or a bad argument it prints the help or the error and
// returns nullopt with the process's exit code in `exitCode`.
std::optional<SimOptions> ParseSimCommandLine(int argc, char** argv, int& exitCode);

}  // namespace printer_sim

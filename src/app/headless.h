// Commands that run without a window (scripts, batch jobs).
#pragma once

#include <optional>

namespace rn::app {

// Runs a headless command when the command line asks for one and returns its exit code;
// nullopt when the command line is for the desktop program.
std::optional<int> RunHeadlessCommand(int argc, char** argv);

}  // namespace rn::app

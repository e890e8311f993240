// SPDX-License-Identifier: MIT
// How the program is started: the window and every headless command. `--help` prints this list, and
// each command's usage error quotes its own line of it, so a new command adds one entry here.
#pragma once

#include <string>
#include <string_view>

namespace rn::app {

inline constexpr int kUsageError = 2;  // exit code for a command line that is itself wrong

// "usage: ramblenote <synopsis>\n" of the way of starting that `option` selects ("--export"; empty
// for the window).
std::string UsageOf(std::string_view option);
// What --help prints on stdout.
std::string HelpText();
// What --version prints on stdout.
std::string VersionText();

}  // namespace rn::app

// SPDX-License-Identifier: MIT
// The command line: --help, --version and the commands that run without a window (scripts, batch
// jobs); everything else starts the window.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace rn::app {

// A headless command: the arguments after the program name in, the exit code out.
using HeadlessCommand = int (*)(const std::vector<std::string>& args);

// Runs what the command line asks for when that is not the window and returns its exit code: --help
// and --version (0), a headless command, or a usage error (2) for an option nobody knows. Options end
// at "--". nullopt when the command line is for the desktop program; `windowArguments` then holds its
// arguments without the "--". `pdfCommand` runs --pdf; a program built without Qt has none.
std::optional<int> RunHeadlessCommand(int argc, char** argv, std::vector<std::string>& windowArguments,
                                      HeadlessCommand pdfCommand = nullptr);

}  // namespace rn::app

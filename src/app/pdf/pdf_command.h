// SPDX-License-Identifier: MIT
// `ramblenote --pdf OUTPUT [--start NODETEXT] [--layout LAYOUT] TREEFILE` and
// `ramblenote --pdf OUTPUT [--layout LAYOUT] --text BODYFILE`: pages as a PDF file without a window
// or a display.
#pragma once

#include <string>
#include <vector>

namespace rn::app {

// `args` are the arguments after the program name, "--pdf" among them. Exit codes as for --export:
// 0 done, 1 failed (message on stderr; bodies that could not be read are named, and their pages hold
// what was read), 2 a wrong command line.
int RunPdfCommand(const std::vector<std::string>& args);

}  // namespace rn::app

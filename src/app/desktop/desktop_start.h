// SPDX-License-Identifier: MIT
// The desktop program: single copy, the window, the event loop. It puts the window together, so it
// lives beside main() rather than among the windows.
#pragma once

#include <string>
#include <vector>

namespace rn::app {

// `arguments` are the command-line arguments for the window (options already taken out); the toolkit
// sees none of them, so a file name is never taken for one of its options.
int RunDesktop(char* programName, const std::vector<std::string>& arguments);

}  // namespace rn::app

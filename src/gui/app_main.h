// The desktop program: single copy, the windows in their order, the event loop.
#pragma once

#include <string>
#include <vector>

namespace rn::gui {

// `arguments` are the command-line arguments for the window (options already taken out); the toolkit
// sees none of them, so a file name is never taken for one of its options.
int runDesktop(char* programName, const std::vector<std::string>& arguments);

}  // namespace rn::gui

// SPDX-License-Identifier: MIT
// `ramblenote --search KEY [--search KEY]... TREEFILE`: a new search for the first KEY and a
// narrowing search for each further KEY over the bodies of the Tree file's text nodes, without a
// window. The result list goes to stdout in UTF-8; messages go to stderr. Nothing on disk changes.
#pragma once

#include <string>
#include <vector>

namespace rn::app {

inline constexpr int kSearchFound = 0;
inline constexpr int kSearchFailed = 1;  // nothing found, or the Tree file cannot be read
inline constexpr int kSearchUsage = 2;   // the command line or a KEY is unusable

// `args` are the arguments after the program name, "--search" among them.
int RunSearchCommand(const std::vector<std::string>& args);

}  // namespace rn::app

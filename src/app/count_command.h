// SPDX-License-Identifier: MIT
// `ramblenote --count [--start NODETEXT] TREEFILE`: the writer's counts of a document on stdout, one
// tab-separated UTF-8 line per node (level, node text, characters, rows, sheets) and a "合計" line.
// Nothing on disk changes.
#pragma once

#include <string>
#include <vector>

namespace rn::app {

// `args` are the arguments after the program name, "--count" among them. Exit codes as for
// --export: 0 done, 1 a missing or unreadable Tree file or body, or an unknown start node (message on
// stderr), 2 a wrong command line.
int RunCountCommand(const std::vector<std::string>& args);

}  // namespace rn::app

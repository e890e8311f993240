// SPDX-License-Identifier: MIT
// `ramblenote --export OUTPUT [--toc TOCFILE] [--start NODETEXT] [--settings INIFILE] TREEFILE`:
// a batch output without a window. Messages go to stderr in UTF-8; nothing on disk changes except
// OUTPUT and TOCFILE.
#pragma once

#include <string>
#include <vector>

namespace rn::app {

inline constexpr int kExportOk = 0;
inline constexpr int kExportFailed = 1;  // the message is on stderr; see RunExportCommand
inline constexpr int kExportUsage = 2;   // the command line itself is wrong

// `args` are the arguments after the program name, "--export" among them.
// Exit code 1 for: a missing or unreadable Tree file, an unknown start node, a missing settings file
// named with --settings, an output that cannot be created or written.
int RunExportCommand(const std::vector<std::string>& args);

}  // namespace rn::app

// SPDX-License-Identifier: MIT
// What the headless commands write for people: node texts, body lines and paths may hold control
// characters, which a terminal would obey. They are shown escaped instead (see EscapeControls).
#pragma once

#include <string>
#include <string_view>

namespace rn::app {

// One message line on stderr.
void PrintMessage(const std::string& utf8);
// UTF-8 output on stdout. When stdout is a terminal, control characters other than tab and line feed
// are shown escaped; into a file or a pipe the text goes as it is. False after a write error.
bool WriteOutput(std::string_view utf8);

}  // namespace rn::app

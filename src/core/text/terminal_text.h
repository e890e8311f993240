// SPDX-License-Identifier: MIT
// Texts for a terminal or a log: control characters shown as escapes, so that a node text or a path
// can never move the cursor, change colours or send commands to the terminal.
#pragma once

#include <string>
#include <string_view>

namespace rn {

// UTF-8 text with every C0 control and DEL as "\x1B", every C1 control as "\u009B" and every byte
// that is not part of valid UTF-8 as "\xHH". Everything else is kept as it is, and so are the
// controls in `kept` (a list's tabs and line feeds).
std::string EscapeControls(std::string_view utf8, std::string_view kept = {});

}  // namespace rn

// SPDX-License-Identifier: MIT
#include "app/terminal_output.h"

#include <unistd.h>

#include <cstdio>

#include "core/text/terminal_text.h"

namespace rn::app {

void PrintMessage(const std::string& utf8) {
    std::fprintf(stderr, "%s\n", EscapeControls(utf8).c_str());
}

bool WriteOutput(std::string_view utf8) {
    static const bool terminal = ::isatty(STDOUT_FILENO) == 1;
    if (!terminal) return std::fwrite(utf8.data(), 1, utf8.size(), stdout) == utf8.size();
    const std::string shown = EscapeControls(utf8, "\t\n");
    return std::fwrite(shown.data(), 1, shown.size(), stdout) == shown.size();
}

}  // namespace rn::app

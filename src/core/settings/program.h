// SPDX-License-Identifier: MIT
// Program-wide values set up once at start-up, before any window exists.
#pragma once

#include <string>

namespace rn {

struct ProgramValues {
    std::string name;       // file name of the running program without extension, upper-cased
    std::string directory;  // directory of the running program, without a trailing "/"
};

ProgramValues& Program();

// Sets the name and directory from the running program's path (`exePath`; empty: ask the system).
void SetupProgramValues(const std::string& exePath = {});

// Full path of the running program.
std::string RunningProgramPath();

}  // namespace rn

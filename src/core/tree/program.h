// Program-wide values set up once at start-up, before any window exists.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace rn {

struct ProgramValues {
    std::string name;       // file name of the running program without extension, upper-cased
    std::string directory;  // directory of the running program, without a trailing "/"
    std::string lineEnd = "\r\n";
    // Scratch string lists shared by commands that need a temporary list.
    std::array<std::vector<std::string>, 4> scratch;
};

ProgramValues& Program();

// Sets the name and directory from the running program's path (`exePath`; empty: ask the system).
void SetupProgramValues(const std::string& exePath = {});
// Releases the scratch lists (at exit).
void ReleaseScratchLists();

// Full path of the running program.
std::string RunningProgramPath();

}  // namespace rn

// SPDX-License-Identifier: MIT
#include "core/settings/program.h"

#include <unistd.h>

#include <climits>

#include "core/storage/files.h"
#include "core/text/cp932.h"

namespace rn {

ProgramValues& Program() {
    static ProgramValues values;
    return values;
}

std::string RunningProgramPath() {
    char buffer[PATH_MAX + 1];
    ssize_t n = ::readlink("/proc/self/exe", buffer, PATH_MAX);
    if (n <= 0) return {};
    return std::string(buffer, static_cast<std::size_t>(n));
}

void SetupProgramValues(const std::string& exePath) {
    std::string path = exePath.empty() ? RunningProgramPath() : exePath;
    ProgramValues& p = Program();
    p.name = SjisAsciiUpper(FileNameOf(PathWithoutExtension(path)));
    p.directory = DirectoryOf(path);
}

}  // namespace rn

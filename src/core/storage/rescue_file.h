// SPDX-License-Identifier: MIT
// Text that cannot be written to its own file at exit is kept in a rescue file (in the per-user data
// directory, settings/resdir.h) rather than lost.
#pragma once

#include <string>
#include <string_view>

namespace rn {

// Writes `bytes` to "<node text> <YYYYMMDD-HHMMSS>.TXT" in `directory`, created when missing, never
// over an existing file. Returns the file's path, or empty with `reason` set (the error text,
// naming the file or directory that could not be made, and the system's reason).
std::string WriteRescueFile(const std::string& directory, std::string_view nodeText, std::string_view bytes,
                            std::string& reason);

}  // namespace rn

// SPDX-License-Identifier: MIT
// The program's version, as the build names it (the project version in CMakeLists.txt), and the
// version of the ICU library it runs with.
#pragma once

#include <string>

namespace rn {

const char* ProgramVersion();
std::string IcuVersion();

}  // namespace rn

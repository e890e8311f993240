// The program's version, as the build names it (the project version in CMakeLists.txt).
#pragma once

namespace rn {

const char* ProgramVersion();

}  // namespace rn

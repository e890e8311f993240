// SPDX-License-Identifier: MIT
#include "core/version.h"

#include <unicode/uversion.h>

namespace rn {

const char* ProgramVersion() {
    return RAMBLENOTE_VERSION;
}

std::string IcuVersion() {
    UVersionInfo version;
    u_getVersion(version);
    char text[U_MAX_VERSION_STRING_LENGTH] = {};
    u_versionToString(version, text);
    return text;
}

}  // namespace rn

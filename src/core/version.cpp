#include "core/version.h"

namespace rn {

const char* ProgramVersion() {
    return RAMBLENOTE_VERSION;
}

}  // namespace rn

#include "app/headless.h"

namespace rn::app {

std::optional<int> RunHeadlessCommand(int /*argc*/, char** /*argv*/) { return std::nullopt; }

}  // namespace rn::app

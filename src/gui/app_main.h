// The desktop program: single copy, the windows in their order, the event loop.
#pragma once

namespace rn::gui {

int runDesktop(int argc, char** argv);

}  // namespace rn::gui

// Entry point: headless commands first, then the desktop program.
#include <cstdio>
#include <string>

#include "app/headless.h"
#include "core/tree/program.h"

int main(int argc, char** argv) {
    rn::SetupProgramValues();
    if (auto rc = rn::app::RunHeadlessCommand(argc, argv)) return *rc;
    std::fputs("usage: ramblenote [TREEFILE]\n", stderr);
    return 0;
}

// Entry point: headless commands first, then the desktop program.
#include <cstdio>
#include <string>

#include "core/tree/program.h"

int main(int argc, char** argv) {
    rn::SetupProgramValues();
    (void)argc;
    (void)argv;
    std::fputs("usage: ramblenote [TREEFILE]\n", stderr);
    return 0;
}

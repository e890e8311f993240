// SPDX-License-Identifier: MIT
// Entry point: headless commands first, then the desktop program.
#include <cstdio>
#include <string>
#include <vector>

#include "app/headless.h"
#include "core/settings/program.h"
#ifdef RAMBLENOTE_HAVE_GUI
#include "app/desktop/desktop_start.h"
#include "app/pdf/pdf_command.h"
#endif

int main(int argc, char** argv) {
    rn::SetupProgramValues();
    std::vector<std::string> windowArguments;
#ifdef RAMBLENOTE_HAVE_GUI
    constexpr rn::app::HeadlessCommand pdfCommand = rn::app::RunPdfCommand;
#else
    constexpr rn::app::HeadlessCommand pdfCommand = nullptr;
#endif
    if (auto rc = rn::app::RunHeadlessCommand(argc, argv, windowArguments, pdfCommand)) return *rc;
#ifdef RAMBLENOTE_HAVE_GUI
    return rn::app::RunDesktop(argv[0], windowArguments);
#else
    std::fputs("ramblenote was built without its desktop interface\n", stderr);
    return 1;
#endif
}

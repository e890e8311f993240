// SPDX-License-Identifier: MIT
#include "app/headless.h"

#include <algorithm>
#include <cstdio>

#include "app/count_command.h"
#include "app/export_command.h"
#include "app/search_command.h"
#include "app/usage.h"
#include "core/text/terminal_text.h"

namespace rn::app {
namespace {
int NoPdfCommand(const std::vector<std::string>&) {
    std::fputs("ramblenote: this program was built without PDF output (it needs Qt)\n", stderr);
    return 1;
}
}  // namespace

std::optional<int> RunHeadlessCommand(int argc, char** argv, std::vector<std::string>& windowArguments,
                                      HeadlessCommand pdfCommand) {
    std::vector<std::string> args(argv + 1, argv + argc);
    HeadlessCommand command = nullptr;
    bool help = false, version = false;
    std::string unknownOption;
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else if (command) {
            continue;  // the first command named is the one that runs, and checks its own options
        } else if (arg == "--export" || arg.rfind("--export=", 0) == 0) {
            command = RunExportCommand;
        } else if (arg == "--count" || arg.rfind("--count=", 0) == 0) {
            command = RunCountCommand;
        } else if (arg == "--search" || arg.rfind("--search=", 0) == 0) {
            command = RunSearchCommand;
        } else if (arg == "--pdf" || arg.rfind("--pdf=", 0) == 0) {
            command = pdfCommand ? pdfCommand : NoPdfCommand;
        } else if (arg.rfind('-', 0) == 0 && unknownOption.empty()) {
            unknownOption = arg;  // for the window any option is one too many
        }
    }
    if (help) {
        std::fputs(HelpText().c_str(), stdout);
        return 0;
    }
    if (version) {
        std::fputs(VersionText().c_str(), stdout);
        return 0;
    }
    if (command) return command(args);
    if (!unknownOption.empty()) {
        std::fprintf(stderr, "ramblenote: unknown option %s\n%sMore: ramblenote --help\n",
                     EscapeControls(unknownOption).c_str(), UsageOf("").c_str());
        return kUsageError;
    }
    if (auto end = std::find(args.begin(), args.end(), "--"); end != args.end()) args.erase(end);
    windowArguments = std::move(args);
    return std::nullopt;
}

}  // namespace rn::app

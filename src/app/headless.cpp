#include "app/headless.h"

#include <string>
#include <vector>

#include "app/count_command.h"
#include "app/export_command.h"

namespace rn::app {

std::optional<int> RunHeadlessCommand(int argc, char** argv) {
    std::vector<std::string> args;
    int (*command)(const std::vector<std::string>&) = nullptr;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(argv[i]);
        const std::string& arg = args.back();
        if (arg == "--") break;
        if (command) continue;  // the first command named is the one that runs
        if (arg == "--export" || arg.rfind("--export=", 0) == 0) command = RunExportCommand;
        if (arg == "--count" || arg.rfind("--count=", 0) == 0) command = RunCountCommand;
    }
    if (!command) return std::nullopt;
    for (int i = static_cast<int>(args.size()) + 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return command(args);
}

}  // namespace rn::app

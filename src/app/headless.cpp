#include "app/headless.h"

#include <string>
#include <vector>

#include "app/export_command.h"

namespace rn::app {

std::optional<int> RunHeadlessCommand(int argc, char** argv) {
    std::vector<std::string> args;
    bool exportCommand = false;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(argv[i]);
        if (args.back() == "--") break;
        if (args.back() == "--export" || args.back().rfind("--export=", 0) == 0) exportCommand = true;
    }
    if (!exportCommand) return std::nullopt;
    for (int i = static_cast<int>(args.size()) + 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return RunExportCommand(args);
}

}  // namespace rn::app

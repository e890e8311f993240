#include "app/headless.h"

#include <string>
#include <vector>

#include "app/count_command.h"
#include "app/export_command.h"
#include "app/search_command.h"

namespace rn::app {
namespace {

bool IsOption(const std::string& arg, const std::string& name) {
    return arg == name || arg.rfind(name + "=", 0) == 0;
}

}  // namespace

std::optional<int> RunHeadlessCommand(int argc, char** argv) {
    std::vector<std::string> args;
    // The first command option decides; each command refuses the others' options as unknown.
    int (*command)(const std::vector<std::string>&) = nullptr;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(argv[i]);
        if (args.back() == "--") break;
        if (command) continue;
        if (IsOption(args.back(), "--export")) command = RunExportCommand;
        if (IsOption(args.back(), "--count")) command = RunCountCommand;
        if (IsOption(args.back(), "--search")) command = RunSearchCommand;
    }
    if (!command) return std::nullopt;
    for (int i = static_cast<int>(args.size()) + 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return command(args);
}

}  // namespace rn::app

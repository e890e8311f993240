// SPDX-License-Identifier: MIT
#include "app/command_line.h"

namespace rn::app {

std::vector<std::string> CommandLine::ValuesOf(std::string_view name) const {
    std::vector<std::string> values;
    for (const Option& o : options)
        if (o.name == name) values.push_back(o.value);
    return values;
}

std::optional<std::string> CommandLine::ValueOf(std::string_view name) const {
    for (const Option& o : options)
        if (o.name == name) return o.value;
    return std::nullopt;
}

std::optional<std::string> TreeFileOperand(const CommandLine& line, std::string& problem) {
    if (line.operands.size() > 1) {
        problem = "more than one TREEFILE";
        return std::nullopt;
    }
    if (line.operands.empty() || line.operands.front().empty()) {
        problem = "TREEFILE is missing";
        return std::nullopt;
    }
    return line.operands.front();
}

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            const std::vector<OptionDefinition>& options, std::string& problem) {
    CommandLine line;
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
            continue;
        }
        if (optionsEnd || arg.size() <= 2 || arg.compare(0, 2, "--") != 0) {
            line.operands.push_back(arg);
            continue;
        }
        std::string name = arg, value;
        const std::size_t eq = arg.find('=');
        if (eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        const OptionDefinition* option = nullptr;
        for (const OptionDefinition& o : options)
            if (o.name == name) option = &o;
        if (!option) {
            problem = "unknown option " + name;
            return std::nullopt;
        }
        if (!option->takesValue && eq != std::string::npos) {
            problem = name + " takes no value";
            return std::nullopt;
        }
        if (option->takesValue && eq == std::string::npos) {
            if (i + 1 >= args.size()) {
                problem = name + " needs a value";
                return std::nullopt;
            }
            value = args[++i];
        }
        if (!option->repeatable && line.ValueOf(name)) {
            problem = name + " given twice";
            return std::nullopt;
        }
        line.options.push_back({std::move(name), std::move(value)});
    }
    return line;
}

}  // namespace rn::app

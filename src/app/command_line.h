// SPDX-License-Identifier: MIT
// The command lines of the headless commands: options that take a value (as the next argument or
// after "="), switches, and operands. "--" ends the options.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rn::app {

struct OptionDefinition {
    std::string_view name;  // "--export"
    bool repeatable = false;
    bool takesValue = true;  // false: a switch such as "--count", whose value is empty
};

struct CommandLine {
    struct Option {
        std::string name;
        std::string value;
    };
    std::vector<Option> options;  // in the order given
    std::vector<std::string> operands;

    // Values of one option, in order.
    std::vector<std::string> ValuesOf(std::string_view name) const;
    // Its value when given (at most once unless repeatable).
    std::optional<std::string> ValueOf(std::string_view name) const;
};

// The one TREEFILE operand of a headless command; nullopt and the reason in `problem` when there is
// none (or it is empty) or more than one.
std::optional<std::string> TreeFileOperand(const CommandLine& line, std::string& problem);

// nullopt and the reason in `problem` for an unknown option, a missing value, a value given to a
// switch, or a non-repeatable option given twice.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            const std::vector<OptionDefinition>& options, std::string& problem);

}  // namespace rn::app

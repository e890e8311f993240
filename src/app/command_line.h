// The command lines of the headless commands: options that take a value (as the next argument or
// after "="), and operands. "--" ends the options.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rn::app {

struct OptionSpec {
    std::string_view name;  // "--export"
    bool repeatable = false;
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

// nullopt and the reason in `problem` for an unknown option, a missing value or a non-repeatable
// option given twice.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            const std::vector<OptionSpec>& options, std::string& problem);

}  // namespace rn::app

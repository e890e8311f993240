// SPDX-License-Identifier: MIT
// What the command line starts: the window with its file, or a usage error.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/headless.h"

namespace rn::app {
namespace {

struct Case {
    std::vector<std::string> args;
    std::optional<int> code;  // nullopt: the window starts
    std::vector<std::string> windowArguments;
};

TEST(CommandLine, OptionsEndAtTheFirstDoubleDashAndUnknownOnesAreUsageErrors) {
    const Case cases[] = {
        {{}, std::nullopt, {}},
        {{"a.Rnote"}, std::nullopt, {"a.Rnote"}},
        {{"--", "-a.Rnote"}, std::nullopt, {"-a.Rnote"}},
        {{"--", "--export", "o"}, std::nullopt, {"--export", "o"}},
        {{"a", "--", "--"}, std::nullopt, {"a", "--"}},
        {{"--bogus"}, 2, {}},
        {{"a.Rnote", "-"}, 2, {}},
        {{"-platform", "xcb", "a.Rnote"}, 2, {}},
        {{"--toc", "t", "a.Rnote"}, 2, {}},  // an export option without the export
    };
    for (const Case& c : cases) {
        std::vector<char*> argv{const_cast<char*>("ramblenote")};
        for (const std::string& a : c.args)
            argv.push_back(const_cast<char*>(a.c_str()));
        std::vector<std::string> window{"untouched"};
        EXPECT_EQ(RunHeadlessCommand(static_cast<int>(argv.size()), argv.data(), window), c.code)
            << testing::PrintToString(c.args);
        if (!c.code) {
            EXPECT_EQ(window, c.windowArguments) << testing::PrintToString(c.args);
        }
    }
}

}  // namespace
}  // namespace rn::app

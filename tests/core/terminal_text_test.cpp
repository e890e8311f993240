// SPDX-License-Identifier: MIT
#include "core/text/terminal_text.h"

#include <gtest/gtest.h>

namespace rn {
namespace {

TEST(TerminalText, ControlCharactersAreShownEscaped) {
    const std::pair<std::string, std::string> cases[] = {
        {"\x1B[2J本文.TXT", "\\x1B[2J本文.TXT"},
        {"a\r\nb\tc\x7F", "a\\x0D\\x0Ab\\x09c\\x7F"},
        {"\xC2\x9B"
         "31m",
         "\\u009B31m"},                                // the one-character CSI
        {"\x9B\xFF\xC0\xAF", "\\x9B\\xFF\\xC0\\xAF"},  // not UTF-8, overlong
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"},           // a surrogate
        {"plain ゴミ箱 ①😀 ¢", "plain ゴミ箱 ①😀 ¢"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(EscapeControls(in), out);
    // A list keeps its own separators.
    EXPECT_EQ(EscapeControls("a\tb\x1B\r\n", "\t\n"), "a\tb\\x1B\\x0D\n");
}

}  // namespace
}  // namespace rn

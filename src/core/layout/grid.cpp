// SPDX-License-Identifier: MIT
#include "core/layout/grid.h"

#include <charconv>

namespace rn {
namespace {

constexpr std::string_view kVerticalSuffix = "-tate";
constexpr std::string_view kHorizontalSuffix = "-yoko";

bool InRange(int n) {
    return n >= kMinGridSize && n <= kMaxGridSize;
}

std::optional<int> Number(std::string_view text) {
    int n = 0;
    const char* end = text.data() + text.size();
    auto [at, ec] = std::from_chars(text.data(), end, n);
    if (text.empty() || ec != std::errc() || at != end) return std::nullopt;
    return n;
}

std::string GridText(const Grid& g) {
    return std::to_string(g.squares) + "×" + std::to_string(g.lines);
}

}  // namespace

PageLayout PresetLayout(LayoutKind kind) {
    switch (kind) {
        case LayoutKind::kManuscript:
            return {kind, kManuscriptGrid};
        case LayoutKind::kA4Vertical:
            return {kind, {40, 30, true}};
        case LayoutKind::kA4Horizontal:
            return {kind, {40, 36, false}};
        case LayoutKind::kUser:
            break;
    }
    return {LayoutKind::kUser, {40, 30, true}};
}

std::optional<PageLayout> UserLayout(int squares, int lines, bool vertical) {
    if (!InRange(squares) || !InRange(lines)) return std::nullopt;
    return PageLayout{LayoutKind::kUser, {squares, lines, vertical}};
}

std::optional<PageLayout> ParseLayoutName(std::string_view name) {
    if (name == "genko") return PresetLayout(LayoutKind::kManuscript);
    if (name == "a4-tate") return PresetLayout(LayoutKind::kA4Vertical);
    if (name == "a4-yoko") return PresetLayout(LayoutKind::kA4Horizontal);
    const bool vertical = name.ends_with(kVerticalSuffix);
    if (!vertical && !name.ends_with(kHorizontalSuffix)) return std::nullopt;
    name.remove_suffix((vertical ? kVerticalSuffix : kHorizontalSuffix).size());
    const std::size_t x = name.find('x');
    if (x == std::string_view::npos) return std::nullopt;
    std::optional<int> squares = Number(name.substr(0, x)), lines = Number(name.substr(x + 1));
    if (!squares || !lines) return std::nullopt;
    return UserLayout(*squares, *lines, vertical);
}

std::string LayoutName(const PageLayout& layout) {
    switch (layout.kind) {
        case LayoutKind::kManuscript:
            return "genko";
        case LayoutKind::kA4Vertical:
            return "a4-tate";
        case LayoutKind::kA4Horizontal:
            return "a4-yoko";
        case LayoutKind::kUser:
            break;
    }
    const Grid& g = layout.grid;
    return std::to_string(g.squares) + "x" + std::to_string(g.lines) +
           std::string(g.vertical ? kVerticalSuffix : kHorizontalSuffix);
}

std::string LayoutTitle(const PageLayout& layout) {
    const std::string direction = layout.grid.vertical ? "縦書き" : "横書き";
    switch (layout.kind) {
        case LayoutKind::kManuscript:
            return "原稿用紙 " + GridText(layout.grid) + " " + direction;
        case LayoutKind::kA4Vertical:
        case LayoutKind::kA4Horizontal:
            return "A4 " + direction + " " + GridText(layout.grid);
        case LayoutKind::kUser:
            break;
    }
    return "ユーザー指定 " + GridText(layout.grid) + " " + direction;
}

}  // namespace rn

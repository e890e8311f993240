// SPDX-License-Identifier: MIT
// Page grids: squares per line, lines per page and the writing direction, with the four layouts the
// program offers and their names on the command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rn {

inline constexpr int kMinGridSize = 10;
inline constexpr int kMaxGridSize = 60;

struct Grid {
    int squares = 20;  // squares per line
    int lines = 20;    // lines per page
    // Lines run top to bottom and follow each other right to left; else left to right, top to bottom.
    bool vertical = true;

    bool operator==(const Grid&) const = default;
};

enum class LayoutKind { kManuscript, kA4Vertical, kA4Horizontal, kUser };

struct PageLayout {
    LayoutKind kind = LayoutKind::kManuscript;
    Grid grid;

    bool operator==(const PageLayout&) const = default;
    // The manuscript sheet draws its squares and the centre mark.
    bool DrawsGrid() const { return kind == LayoutKind::kManuscript; }
};

// 原稿用紙 20×20 縦書き: the grid the writer's counts are made in.
inline constexpr Grid kManuscriptGrid{20, 20, true};

PageLayout PresetLayout(LayoutKind kind);  // kUser gives a vertical 40×30 grid to start from
// A user grid; nullopt when C or L lies outside 10..60.
std::optional<PageLayout> UserLayout(int squares, int lines, bool vertical);

// Command-line names: "genko", "a4-tate", "a4-yoko", or "CxL-tate" / "CxL-yoko" for a user grid.
std::optional<PageLayout> ParseLayoutName(std::string_view name);
std::string LayoutName(const PageLayout& layout);
// For lists and messages (UTF-8): "原稿用紙 20×20 縦書き", "A4 横書き 40×36", "ユーザー指定 30×20 縦書き".
std::string LayoutTitle(const PageLayout& layout);

}  // namespace rn

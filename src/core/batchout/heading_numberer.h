// SPDX-License-Identifier: MIT
// Heading labels of a batch output run (第2章, 1-3, 2), ①, Ⅳ, B, ｱ, ・): one label per node, asked in
// document order, from the node's level and per-level counters.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace rn {

// Numbering styles, as stored under OUTLIN and listed in the dialog (position in the list + 1).
enum NumberingStyle : int {
    kStyleNone = 1,     // "なし(インデントのみ)"
    kStyleChapter = 2,  // "第１章・第1節・第１項" (the default)
    kStyleNumbers = 3,  // "数字"
    kStyleRoman = 4,    // "ローマ数字"
    kStyleUser = 5,     // "ユーザー指定"
};
inline constexpr int kStyleCount = 5;
inline constexpr int kDefaultStyle = kStyleChapter;

// How a counter value becomes number text.
enum NumberKind : int {
    kKindNone = 0,      // empty text
    kKindDecimal = 1,   // 1, 12, 1000
    kKindCircled = 2,   // ① .. ⑳
    kKindRoman = 3,     // Ⅰ .. Ⅹ
    kKindLetter = 4,    // A .. Z, a .. z
    kKindKatakana = 5,  // ｱ .. ﾝ (half-width)
};

// How the label of one level is built. Pieces are CP932 bytes.
struct LevelFormat {
    std::string Piece1;
    std::string Piece2;
    std::string Piece3;
    int NumberSlot = 0;  // 0: number not shown; 1..3: the number text goes into that piece
    int NumberKind = kKindNone;

    bool operator==(const LevelFormat&) const = default;
};

// User formats 1..13, as stored under OUTLINE1..OUTLINE5.
inline constexpr int kUserFormatCount = 13;
inline constexpr int kEmptyUserFormat = 13;  // "<なし>"
// Deepest level that gets a label; deeper nodes get empty labels and leave the counters alone.
inline constexpr int kMaxHeadingLevel = 999;

// Number text of counter value n (1 or more) in `kind`; empty beyond the kind's range.
std::string NumberText(int kind, long long n);

// The built-in format of `level` (1..5) in style 1..4.
const LevelFormat& StyleFormat(int style, int level);
// User format 1..13.
const LevelFormat& UserFormat(int number);

// List texts of the dialog (UTF-8), in list order.
const std::array<std::string_view, kStyleCount>& NumberingStyleTexts();
const std::array<std::string_view, kUserFormatCount>& UserFormatTexts();

// Normalised inputs: a style outside 1..5 is the default style 2; a user format outside 1..13 is the
// level's own default (level k: format k); a deeper-level mode other than 1 is 0.
int NormalizedStyle(int style);
int NormalizedUserFormat(int level, int number);

class HeadingNumberer {
public:
    HeadingNumberer();

    // Starts a run: builds the working formats of levels 1..999 and zeroes the counters.
    // `userFormats[k-1]` is the user format of level k (used by style 5 only).
    void Begin(int style, const std::array<int, 5>& userFormats, int deeperMode);

    // Advances the counters for a node at `level` and returns its label (CP932, possibly empty).
    // Must be asked for every node in document order, also for nodes that are not written.
    std::string Label(int level);
    // The same, appending the label to `out`.
    void AppendLabel(int level, std::string& out);

private:
    // formats_[0] is the empty format, the "parent" of level 1.
    std::vector<LevelFormat> formats_;
    std::vector<long long> counters_;
    int lastLevel_ = 0;
    int deepestCounted_ = 0;  // counters deeper than this are all 0
};

}  // namespace rn

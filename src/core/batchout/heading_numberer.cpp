// SPDX-License-Identifier: MIT
#include "core/batchout/heading_numberer.h"

#include <algorithm>

namespace rn {
namespace {

// CP932 spellings of the label pieces.
constexpr std::string_view kDai = "\x91\xE6";    // 第
constexpr std::string_view kShou = "\x8F\xCD";   // 章
constexpr std::string_view kSetsu = "\x90\xDF";  // 節
constexpr std::string_view kKou = "\x8D\x80";    // 項
constexpr std::string_view kDot = "\x81\x45";    // ・

LevelFormat F(std::string_view p1, std::string_view p2, std::string_view p3, int slot, int kind) {
    return LevelFormat{std::string(p1), std::string(p2), std::string(p3), slot, kind};
}

using StyleTable = std::array<std::array<LevelFormat, 5>, 4>;

const StyleTable& BuiltInStyles() {
    static const StyleTable table = {{
        // 1 "なし(インデントのみ)"
        {F("", "", "", 0, 0), F("", "", "", 0, 0), F("", "", "", 0, 0), F("", "", "", 0, 0), F("", "", "", 0, 0)},
        // 2 "第１章・第1節・第１項"
        {F(kDai, "", kShou, 2, 1), F(kDai, "", kSetsu, 2, 1), F(kDai, "", kKou, 2, 1), F("", "", "", 1, 1),
         F("", ")", "", 1, 1)},
        // 3 "数字"
        {F("", "", "", 1, 1), F("-", "", "", 2, 1), F("", ")", "", 1, 1), F("-", "", ")", 2, 1), F(kDot, "", "", 0, 0)},
        // 4 "ローマ数字"
        {F("", "", "", 1, 3), F("", "", "", 1, 1), F("-", "", "", 2, 1), F(kDot, "", "", 0, 0), F(kDot, "", "", 0, 0)},
    }};
    return table;
}

const std::array<LevelFormat, kUserFormatCount>& UserFormats() {
    static const std::array<LevelFormat, kUserFormatCount> table = {
        F("", "", "", 1, 1),        // 1   "1"
        F("-", "", "", 2, 1),       // 2   "-1"
        F("", ")", "", 1, 1),       // 3   "1)"
        F("-", "", ")", 2, 1),      // 4   "-1)"
        F("", "", "", 1, 2),        // 5   "①"
        F("", "", "", 1, 3),        // 6   "Ⅰ"
        F("", "", "", 1, 4),        // 7   "A"
        F("", "", "", 1, 5),        // 8   "ｱ"
        F(kDai, "", kShou, 2, 1),   // 9   "第1章"
        F(kDai, "", kSetsu, 2, 1),  // 10  "第1節"
        F(kDai, "", kKou, 2, 1),    // 11  "第1項"
        F(kDot, "", "", 0, 0),      // 12  "・"
        F("", "", "", 0, 0),        // 13  "<なし>"
    };
    return table;
}

std::string& PieceOf(LevelFormat& f, int slot) {
    switch (slot) {
        case 1:
            return f.Piece1;
        case 2:
            return f.Piece2;
        default:
            return f.Piece3;
    }
}

}  // namespace

std::string NumberText(int kind, long long n) {
    if (n < 1) return {};
    switch (kind) {
        case kKindDecimal:
            return std::to_string(n);
        case kKindCircled:
            if (n > 20) return {};
            return {'\x87', static_cast<char>(0x3F + n)};
        case kKindRoman:
            if (n > 10) return {};
            return {'\x87', static_cast<char>(0x53 + n)};
        case kKindLetter:
            if (n <= 26) return std::string(1, static_cast<char>('A' + n - 1));
            if (n <= 52) return std::string(1, static_cast<char>('a' + n - 27));
            return {};
        case kKindKatakana:
            if (n > 45) return {};
            return std::string(1, static_cast<char>(0xB0 + n));
        default:
            return {};
    }
}

const LevelFormat& StyleFormat(int style, int level) {
    style = std::clamp(style, 1, 4);
    level = std::clamp(level, 1, 5);
    return BuiltInStyles()[static_cast<std::size_t>(style - 1)][static_cast<std::size_t>(level - 1)];
}

const LevelFormat& UserFormat(int number) {
    if (number < 1 || number > kUserFormatCount) number = kEmptyUserFormat;
    return UserFormats()[static_cast<std::size_t>(number - 1)];
}

const std::array<std::string_view, kStyleCount>& NumberingStyleTexts() {
    static const std::array<std::string_view, kStyleCount> texts = {
        "なし(インデントのみ)", "第１章・第1節・第１項", "数字", "ローマ数字", "ユーザー指定",
    };
    return texts;
}

const std::array<std::string_view, kUserFormatCount>& UserFormatTexts() {
    static const std::array<std::string_view, kUserFormatCount> texts = {
        "1", "-1", "1)", "-1)", "①", "Ⅰ", "A", "ｱ", "第1章", "第1節", "第1項", "・", "<なし>",
    };
    return texts;
}

int NormalizedStyle(int style) {
    return style >= 1 && style <= kStyleCount ? style : kDefaultStyle;
}

int NormalizedUserFormat(int level, int number) {
    return number >= 1 && number <= kUserFormatCount ? number : level;
}

HeadingNumberer::HeadingNumberer()
    : formats_(static_cast<std::size_t>(kMaxHeadingLevel) + 1),
      counters_(static_cast<std::size_t>(kMaxHeadingLevel) + 1) {}

void HeadingNumberer::Begin(int style, const std::array<int, 5>& userFormats, int deeperMode) {
    style = NormalizedStyle(style);
    formats_[0] = UserFormat(kEmptyUserFormat);
    for (int k = 1; k <= 5; ++k) {
        formats_[static_cast<std::size_t>(k)] =
            style == kStyleUser ? UserFormat(NormalizedUserFormat(k, userFormats[static_cast<std::size_t>(k - 1)]))
                                : StyleFormat(style, k);
    }
    const LevelFormat& deeper = deeperMode == 1 ? formats_[5] : UserFormat(kEmptyUserFormat);
    for (int k = 6; k <= kMaxHeadingLevel; ++k)
        formats_[static_cast<std::size_t>(k)] = deeper;
    std::fill(counters_.begin(), counters_.end(), 0);
    lastLevel_ = 0;
    deepestCounted_ = 0;
}

std::string HeadingNumberer::Label(int level) {
    std::string out;
    AppendLabel(level, out);
    return out;
}

void HeadingNumberer::AppendLabel(int level, std::string& out) {
    if (level < 1 || level > kMaxHeadingLevel) return;
    const auto L = static_cast<std::size_t>(level);
    ++counters_[L];
    if (level < lastLevel_) {
        // Only levels that were ever counted since the last reset can be non-zero.
        for (int k = level + 1; k <= deepestCounted_; ++k)
            counters_[static_cast<std::size_t>(k)] = 0;
        deepestCounted_ = level;
    }
    deepestCounted_ = std::max(deepestCounted_, level);
    lastLevel_ = level;

    LevelFormat& f = formats_[L];
    if (f.NumberSlot >= 1 && f.NumberSlot <= 3) PieceOf(f, f.NumberSlot) = NumberText(f.NumberKind, counters_[L]);
    const std::size_t start = out.size();
    if (f.Piece1 == "-") {
        // The parent's pieces as they stand, i.e. carrying the number of this node's own parent.
        const LevelFormat& p = formats_[L - 1];
        out += p.Piece1;
        out += p.Piece2;
        out += p.Piece3;
    }
    out += f.Piece1;
    out += f.Piece2;
    out += f.Piece3;
    if (out.size() > start && out[start] == '-') out.erase(start, 1);
}

}  // namespace rn

// SPDX-License-Identifier: MIT
// Heading numbering over random settings and level sequences, checked against plain per-level
// counters: a decimal number shows the node's own counter, labels are valid CP932, levels outside
// 1..999 get no label, and a new run starts from scratch.
#include <algorithm>
#include <vector>

#include "core/batchout/batch_output.h"
#include "core/batchout/heading_numberer.h"
#include "core/text/cp932.h"
#include "fuzz_support.h"

using namespace rn;
using namespace rn::fuzz;

namespace {

const LevelFormat& FormatOf(int style, const std::array<int, 5>& user, int deeper, int level) {
    static const LevelFormat kEmpty = UserFormat(kEmptyUserFormat);
    if (level > 5) return deeper == 1 ? FormatOf(style, user, deeper, 5) : kEmpty;
    style = NormalizedStyle(style);
    return style == kStyleUser ? UserFormat(NormalizedUserFormat(level, user[static_cast<std::size_t>(level - 1)]))
                               : StyleFormat(style, level);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const int style = static_cast<int>(in.Int(-1, 7));
    std::array<int, 5> user{};
    for (int& u : user)
        u = static_cast<int>(in.Int(-1, 15));
    const int deeper = static_cast<int>(in.Int(-1, 2));
    const int indMax = static_cast<int>(in.Int(INT32_MIN, INT32_MAX));

    // Mostly outline-shaped sequences (one deeper, or back up), with jumps anywhere now and then.
    std::vector<int> levels;
    int previous = 0;
    while (!in.empty() && levels.size() < 4000) {
        const uint8_t b = in.Byte();
        int level = b < 96    ? previous + 1
                    : b < 224 ? 1 + (b % std::max(previous, 1))
                              : static_cast<int>(in.Int(-5, 1200));
        levels.push_back(level);
        previous = std::clamp(level, 0, 2000);
    }

    HeadingNumberer numberer;
    std::vector<std::string> labels;
    for (int pass = 0; pass < 2; ++pass) {
        numberer.Begin(style, user, deeper);
        std::vector<long long> counters(kMaxHeadingLevel + 1, 0);
        int last = 0;
        for (std::size_t i = 0; i < levels.size(); ++i) {
            const int level = levels[i];
            const std::string label = numberer.Label(level);
            const int indent = HeadingIndentCount(level, true, indMax);
            FUZZ_CHECK(indent >= 0 && indent <= std::max<int64_t>(0, int64_t{std::min(level, indMax)} - 1));
            if (pass == 1) {
                FUZZ_CHECK(label == labels[i]);
                continue;
            }
            labels.push_back(label);
            FUZZ_CHECK(FirstUndefinedCp932(label) == std::string::npos);
            if (level < 1 || level > kMaxHeadingLevel) {
                FUZZ_CHECK(label.empty());
                continue;
            }
            ++counters[static_cast<std::size_t>(level)];
            if (level < last) std::fill(counters.begin() + level + 1, counters.end(), 0);
            last = level;
            const LevelFormat& f = FormatOf(style, user, deeper, level);
            if (f.NumberKind == kKindDecimal && f.NumberSlot >= 1 && f.NumberSlot <= 3)
                FUZZ_CHECK(label.find(std::to_string(counters[static_cast<std::size_t>(level)])) != std::string::npos);
            if (f.NumberSlot == 0 && f.Piece1 != "-") FUZZ_CHECK(label == f.Piece1 + f.Piece2 + f.Piece3);
        }
    }
    return 0;
}

// SPDX-License-Identifier: MIT
#include "core/layout/line_cutter.h"

#include "core/layout/character_forms.h"

namespace rn {
namespace {

constexpr char32_t kRubyOpen = U'《';
constexpr char32_t kRubyClose = U'》';

bool IsRubyBar(char32_t c) {
    return c == U'|' || c == U'｜';
}

class Cutter {
public:
    Cutter(std::u32string_view line, bool vertical, CutLine& out) : line_(line), vertical_(vertical), out_(out) {}

    void Run() {
        std::size_t i = 0;
        while (i < line_.size()) {
            const char32_t c = line_[i];
            if (IsRubyBar(c)) {
                i = AfterBar(i);
            } else if (c == kRubyOpen && kanjiRun_ > 0 && RubyEnd(i) != npos) {
                const std::size_t close = RubyEnd(i);
                AddRuby(out_.cells.size() - kanjiRun_, i + 1, close);
                i = close + 1;
            } else {
                i = Token(i, line_.size());
            }
        }
    }

private:
    static constexpr std::size_t npos = std::u32string_view::npos;

    // The 》 that closes a ruby opened at `open` when the ruby holds something; else npos.
    std::size_t RubyEnd(std::size_t open) {
        // Asked with growing positions: the next 》 is looked for again only once passed, so a line
        // of many 《 is read once.
        if (!closeKnown_ || (nextClose_ != npos && nextClose_ <= open)) {
            nextClose_ = line_.find(kRubyClose, open + 1);
            closeKnown_ = true;
        }
        return nextClose_ != npos && nextClose_ > open + 1 ? nextClose_ : npos;
    }

    // A bar at `bar` starts a base when a ruby follows it before the next bar; else it is plain text.
    std::size_t AfterBar(std::size_t bar) {
        std::size_t open = bar + 1;
        while (open < line_.size() && line_[open] != kRubyOpen && !IsRubyBar(line_[open]))
            ++open;
        if (open < line_.size() && line_[open] == kRubyOpen) {
            if (open == bar + 1) {  // "|《": a plain 《
                Add(Cell{kRubyOpen}, false);
                return open + 1;
            }
            if (const std::size_t close = RubyEnd(open); close != npos) {
                const std::size_t first = out_.cells.size();
                for (std::size_t i = bar + 1; i < open;)
                    i = Token(i, open);
                AddRuby(first, open + 1, close);
                return close + 1;
            }
        }
        Add(Cell{line_[bar]}, false);
        return bar + 1;
    }

    // The cells of the character (or run of digits) at `i`, none of it at or after `limit`.
    std::size_t Token(std::size_t i, std::size_t limit) {
        const char32_t c = line_[i];
        if (!vertical_ || !IsHalfWidthDigit(c)) {
            Add(Cell{c}, IsRubyBaseCharacter(c));
            return i + 1;
        }
        std::size_t end = i + 1;
        while (end < limit && IsHalfWidthDigit(line_[end]))
            ++end;
        if (end - i <= 2) {
            Add(Cell{c, end - i == 2 ? line_[i + 1] : 0, true}, false);
            out_.characters += static_cast<std::int64_t>(end - i) - 1;
        } else {
            for (std::size_t k = i; k < end; ++k)
                Add(Cell{line_[k]}, false);
        }
        return end;
    }

    void Add(Cell cell, bool kanji) {
        out_.cells.push_back(cell);
        ++out_.characters;
        kanjiRun_ = kanji ? kanjiRun_ + 1 : 0;
    }

    // Ruby line_[from, to) over the cells from `firstCell` to the last one.
    void AddRuby(std::size_t firstCell, std::size_t from, std::size_t to) {
        out_.ruby.push_back({firstCell, out_.cells.size() - firstCell, std::u32string(line_.substr(from, to - from))});
        kanjiRun_ = 0;
    }

    std::u32string_view line_;
    bool vertical_;
    CutLine& out_;
    std::size_t kanjiRun_ = 0;  // cells of kanji that end the cells so far
    bool closeKnown_ = false;
    std::size_t nextClose_ = npos;
};

}  // namespace

bool Cell::Hanging() const {
    return second == 0 && IsHangingMark(first);
}

void CutBodyLine(std::u32string_view line, bool vertical, CutLine& out) {
    out.cells.clear();
    out.ruby.clear();
    out.characters = 0;
    Cutter(line, vertical, out).Run();
}

}  // namespace rn

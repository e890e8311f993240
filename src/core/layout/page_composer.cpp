// SPDX-License-Identifier: MIT
#include "core/layout/page_composer.h"

namespace rn {

void PageComposer::BodyLine(std::u32string_view line) {
    if (stopped_) return;
    CutBodyLine(line, grid_.vertical, cut_);
    Place(cut_, false);
}

void PageComposer::Heading(std::u32string_view text, int level) {
    if (stopped_) return;
    if (level <= 1 && !page_.lines.empty()) {
        blankPending_ = false;
        EmitPage();
    }
    CutBodyLine(text, grid_.vertical, cut_);
    Place(cut_, true);
    blankPending_ = true;
}

bool PageComposer::Finish() {
    if (stopped_) return false;
    if (!page_.lines.empty() || pagesDone_ == 0) EmitPage();
    return !stopped_;
}

void PageComposer::Place(const CutLine& cut, bool heading) {
    std::size_t nextRuby = 0;
    ruby_ = nullptr;
    for (std::size_t i = 0; i < cut.cells.size() && !stopped_; ++i) {
        const LineFiller::Place place = filler_.Put(cut.cells[i].Hanging());
        if (place.startsLine) {
            if (ruby_) CloseRuby(i);
            StartLine();
            page_.lines.back().heading = heading;
            if (ruby_) {
                segmentFirstCell_ = i;
                segmentFirstColumn_ = 0;
            }
        }
        if (!ruby_ && nextRuby < cut.ruby.size() && cut.ruby[nextRuby].firstCell == i) {
            ruby_ = &cut.ruby[nextRuby++];
            segmentFirstCell_ = i;
            segmentFirstColumn_ = place.column;
        }
        page_.lines.back().cells.push_back({cut.cells[i], place.column});
        lastColumn_ = place.column;
        if (ruby_ && i + 1 == ruby_->firstCell + ruby_->cellCount) {
            CloseRuby(i + 1);
            ruby_ = nullptr;
        }
    }
    if (filler_.EndLine() && !stopped_) {
        StartLine();
        page_.lines.back().heading = heading;
    }
}

void PageComposer::CloseRuby(std::size_t endCell) {
    // Each line gets the share of the ruby its part of the base has.
    const std::size_t base = ruby_->cellCount, size = ruby_->text.size();
    const std::size_t from = (segmentFirstCell_ - ruby_->firstCell) * size / base;
    const std::size_t to = endCell == ruby_->firstCell + base ? size : (endCell - ruby_->firstCell) * size / base;
    if (to > from)
        page_.lines.back().ruby.push_back(
            {segmentFirstColumn_, lastColumn_ - segmentFirstColumn_ + 1, ruby_->text.substr(from, to - from)});
}

void PageComposer::StartLine() {
    if (blankPending_) {
        blankPending_ = false;
        if (!page_.lines.empty() && static_cast<int>(page_.lines.size()) < grid_.lines) page_.lines.emplace_back();
    }
    if (static_cast<int>(page_.lines.size()) >= grid_.lines) EmitPage();
    page_.lines.emplace_back();
}

void PageComposer::EmitPage() {
    page_.number = ++pagesDone_;
    if (!sink_(page_)) stopped_ = true;
    page_.lines.clear();
}

}  // namespace rn

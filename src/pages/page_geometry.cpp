// SPDX-License-Identifier: MIT
#include "pages/page_geometry.h"

#include <algorithm>

namespace rn::pages {
namespace {

// A4 in points.
constexpr double kA4Short = 595.28;
constexpr double kA4Long = 841.89;
constexpr double kMargin = 42.0;  // at least, on every side
constexpr double kRubyShare = 0.5;

}  // namespace

PageGeometry::PageGeometry(const PageLayout& layout) : layout_(layout) {
    const Grid& g = layout.grid;
    paper_ = g.vertical ? QSizeF(kA4Long, kA4Short) : QSizeF(kA4Short, kA4Long);
    const double centreShare = layout.DrawsGrid() ? 1.0 : 0.0;
    // Along a line: its squares and room for a hung mark at each end, so that the grid stays centred.
    const double along = ((g.vertical ? paper_.height() : paper_.width()) - 2 * kMargin) / (g.squares + 2);
    const double across =
        ((g.vertical ? paper_.width() : paper_.height()) - 2 * kMargin - (g.vertical ? 0 : 2 * kMargin)) /
        (g.lines * (1 + kRubyShare) + centreShare);
    square_ = std::min(along, across);
    ruby_ = square_ * kRubyShare;
    centre_ = square_ * centreShare;
    const double lineLength = square_ * g.squares;
    const double blockAcross = g.lines * (square_ + ruby_) + centre_;
    const QSizeF block = g.vertical ? QSizeF(blockAcross, lineLength) : QSizeF(lineLength, blockAcross);
    block_ = QRectF(QPointF((paper_.width() - block.width()) / 2, (paper_.height() - block.height()) / 2), block);
}

double PageGeometry::lineStart(int line) const {
    const double pitch = square_ + ruby_;
    const double shift = centre_ > 0 && line >= layout_.grid.lines / 2 ? centre_ : 0;
    return layout_.grid.vertical ? block_.right() - line * pitch - shift : block_.top() + line * pitch + shift;
}

QRectF PageGeometry::squareRect(int line, int column) const {
    const double start = lineStart(line);
    if (layout_.grid.vertical)
        return QRectF(start - ruby_ - square_, block_.top() + column * square_, square_, square_);
    return QRectF(block_.left() + column * square_, start + ruby_, square_, square_);
}

QRectF PageGeometry::rubyRect(int line, int firstColumn, int columns) const {
    const QRectF first = squareRect(line, firstColumn);
    if (layout_.grid.vertical) return QRectF(first.right(), first.top(), ruby_, columns * square_);
    return QRectF(first.left(), first.top() - ruby_, columns * square_, ruby_);
}

QRectF PageGeometry::gridRect() const {
    return block_;
}

QRectF PageGeometry::centreStrip() const {
    if (centre_ <= 0) return {};
    const int half = layout_.grid.lines / 2;
    if (layout_.grid.vertical) return QRectF(lineStart(half), block_.top(), centre_, block_.height());
    return QRectF(block_.left(), lineStart(half) - centre_, block_.width(), centre_);
}

QPointF PageGeometry::pageNumberCentre() const {
    return QPointF(paper_.width() / 2, (block_.bottom() + square_ + paper_.height()) / 2);
}

QPointF PageGeometry::titleOrigin() const {
    return QPointF(block_.left(), std::max(kMargin / 2, block_.top() - square_ - 18));
}

}  // namespace rn::pages

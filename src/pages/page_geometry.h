// SPDX-License-Identifier: MIT
// Where the squares of a layout lie on A4 paper, in points (1/72 inch). Vertical layouts use A4 in
// landscape, horizontal ones A4 in portrait. Each line has a strip of half a square for its ruby
// (right of the line in vertical writing, above it in horizontal); the manuscript sheet has a centre
// strip of one square between its two halves.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include "core/layout/grid.h"

namespace rn::pages {

class PageGeometry {
public:
    explicit PageGeometry(const PageLayout& layout);

    QSizeF paper() const { return paper_; }
    bool landscape() const { return paper_.width() > paper_.height(); }
    double square() const { return square_; }
    const PageLayout& layout() const { return layout_; }

    // The square of `column` on `line`; column == squares is the place of a mark hung after the line.
    QRectF squareRect(int line, int column) const;
    // The ruby strip beside squares first .. first+count-1 of a line.
    QRectF rubyRect(int line, int firstColumn, int columns) const;
    // Every square of the page.
    QRectF gridRect() const;
    // The centre strip of the manuscript sheet (empty for other layouts).
    QRectF centreStrip() const;
    // Where the page number is centred, and the top left corner of the first page's title.
    QPointF pageNumberCentre() const;
    QPointF titleOrigin() const;

private:
    double lineStart(int line) const;  // vertical: right edge of the line; horizontal: its top

    PageLayout layout_;
    QSizeF paper_;
    double square_ = 0;
    double ruby_ = 0;    // width of a line's ruby strip
    double centre_ = 0;  // width of the centre strip
    QRectF block_;       // every line with its ruby strip and the centre strip
};

}  // namespace rn::pages

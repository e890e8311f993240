// SPDX-License-Identifier: MIT
// Draws pages of squares with a QPainter whose unit is the point: the same drawing goes into the PDF
// and into the preview.
#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QRawFont>
#include <QString>

#include "core/layout/page_composer.h"
#include "pages/page_geometry.h"

class QPainter;

namespace rn::pages {

class PagePainter {
public:
    PagePainter(const PageLayout& layout, const QFont& font);

    const PageGeometry& geometry() const { return geometry_; }
    // The page on white paper; `title` stands in the top margin of the first page.
    void paint(QPainter& painter, const Page& page, const QString& title) const;

private:
    struct Glyph {
        quint32 index = 0;
        double advance = 0;
    };
    // Glyphs of one size drawn upright, gathered to be drawn in one go.
    struct Run;

    const Glyph& glyph(const QRawFont& font, char32_t c) const;
    void paintGrid(QPainter& painter) const;
    void paintCell(QPainter& painter, Run& run, const Cell& cell, const QRectF& square) const;
    void paintRuby(QPainter& painter, Run& run, const PlacedRuby& ruby, int line) const;
    void placeUpright(Run& run, char32_t c, const QRectF& square, QPointF shift = {}) const;
    void paintRotated(QPainter& painter, const QRawFont& font, char32_t c, const QRectF& square) const;
    // A line of margin text (page number, title) in the small font, from `at` on its baseline.
    double rowWidth(const QString& text) const;
    void placeRow(Run& run, const QString& text, QPointF at) const;

    PageGeometry geometry_;
    QRawFont font_;       // a square high
    QRawFont rubyFont_;   // half of that
    QRawFont smallFont_;  // page numbers and the title
    mutable QHash<char32_t, Glyph> glyphs_[3];
};

}  // namespace rn::pages

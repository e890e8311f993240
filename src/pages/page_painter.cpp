// SPDX-License-Identifier: MIT
#include "pages/page_painter.h"

#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <vector>

#include "core/layout/character_forms.h"

namespace rn::pages {
namespace {

constexpr char32_t kMissingMark = U'〓';

// Blanks and control characters (a tab) take their square and draw nothing.
bool isBlank(char32_t c) {
    return c <= U' ' || c == U'\x7f' || c == U'　';
}

const QColor kGridColour(214, 140, 120);
constexpr double kSmallFontSize = 9.0;

}  // namespace

struct PagePainter::Run {
    const QRawFont* font;
    QList<quint32> indexes;
    QList<QPointF> positions;

    void draw(QPainter& painter) const {
        if (indexes.isEmpty()) return;
        QGlyphRun run;
        run.setRawFont(*font);
        run.setGlyphIndexes(indexes);
        run.setPositions(positions);
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
};

PagePainter::PagePainter(const PageLayout& layout, const QFont& font) : geometry_(layout) {
    font_ = QRawFont::fromFont(font);
    rubyFont_ = font_;
    smallFont_ = font_;
    font_.setPixelSize(geometry_.square());
    rubyFont_.setPixelSize(geometry_.square() / 2);
    smallFont_.setPixelSize(kSmallFontSize);
}

const PagePainter::Glyph& PagePainter::glyph(const QRawFont& font, char32_t c) const {
    const int which = &font == &font_ ? 0 : &font == &rubyFont_ ? 1 : 2;
    auto it = glyphs_[which].find(c);
    if (it != glyphs_[which].end()) return *it;
    Glyph g;
    // A character the font cannot draw (a byte that is no Shift-JIS character comes as U+FFFD) is
    // printed as 〓, as typesetters mark a missing character, rather than left as a blank square.
    const char32_t drawn = isBlank(c) || font.supportsCharacter(c) ? c : kMissingMark;
    const QString text = QString::fromUcs4(&drawn, 1);
    const QList<quint32> indexes = font.glyphIndexesForString(text);
    if (!indexes.isEmpty()) {
        g.index = indexes.front();
        const QList<QPointF> advances = font.advancesForGlyphIndexes(indexes);
        g.advance = advances.isEmpty() ? font.pixelSize() : advances.front().x();
    }
    return *glyphs_[which].insert(c, g);
}

void PagePainter::placeUpright(Run& run, char32_t c, const QRectF& square, QPointF shift) const {
    if (isBlank(c)) return;
    const QRawFont& font = *run.font;
    const Glyph& g = glyph(font, c);
    // The em box centred in the square.
    const double x = square.center().x() - g.advance / 2;
    const double baseline = square.center().y() + (font.ascent() - font.descent()) / 2;
    run.indexes.append(g.index);
    run.positions.append(QPointF(x, baseline) + shift);
}

void PagePainter::paintRotated(QPainter& painter, const QRawFont& font, char32_t c, const QRectF& square) const {
    if (isBlank(c)) return;
    const Glyph& g = glyph(font, c);
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes({g.index});
    run.setPositions({QPointF(-g.advance / 2, (font.ascent() - font.descent()) / 2)});
    painter.save();
    painter.translate(square.center());
    painter.rotate(90);
    painter.drawGlyphRun(QPointF(0, 0), run);
    painter.restore();
}

void PagePainter::paintCell(QPainter& painter, Run& run, const Cell& cell, const QRectF& square) const {
    const QRawFont& font = *run.font;
    if (!geometry_.layout().grid.vertical) {
        placeUpright(run, cell.first, square);
        return;
    }
    if (cell.second) {
        // Two digits side by side, each half a square wide.
        const QRectF left(square.left(), square.top(), square.width() / 2, square.height());
        placeUpright(run, cell.first, left);
        placeUpright(run, cell.second, left.translated(square.width() / 2, 0));
        return;
    }
    if (cell.upright) {
        placeUpright(run, cell.first, square);
        return;
    }
    const double s = square.width();
    switch (VerticalFormOf(cell.first)) {
        case VerticalForm::kUpright:
            placeUpright(run, cell.first, square);
            return;
        case VerticalForm::kSmallKana:
            placeUpright(run, cell.first, square, QPointF(s * 0.1, -s * 0.1));
            return;
        case VerticalForm::kUpperRight: {
            // The mark's own outline moved into the upper right quarter, whatever the font does.
            const Glyph& g = glyph(font, cell.first);
            const QRectF box = font.boundingRect(g.index);
            const QPointF target(square.left() + s * 0.72, square.top() + s * 0.28);
            run.indexes.append(g.index);
            run.positions.append(target - box.center());
            return;
        }
        case VerticalForm::kRotated:
            break;
    }
    const char32_t presentation = VerticalPresentationForm(cell.first);
    if (presentation && font.supportsCharacter(presentation)) {
        placeUpright(run, presentation, square);
        return;
    }
    paintRotated(painter, font, cell.first, square);
}

void PagePainter::paintRuby(QPainter& painter, Run& run, const PlacedRuby& ruby, int line) const {
    const QRectF strip = geometry_.rubyRect(line, ruby.firstColumn, ruby.columns);
    const bool vertical = geometry_.layout().grid.vertical;
    const double size = rubyFont_.pixelSize();
    const double length = vertical ? strip.height() : strip.width();
    // Centred on the base; ruby longer than its base runs over on both sides.
    const double count = static_cast<double>(ruby.text.size());
    const double start = (length - count * size) / 2;
    for (std::size_t i = 0; i < ruby.text.size(); ++i) {
        const double at = start + static_cast<double>(i) * size;
        const QRectF square = vertical ? QRectF(strip.left(), strip.top() + at, size, size)
                                       : QRectF(strip.left() + at, strip.top(), size, size);
        paintCell(painter, run, Cell{ruby.text[i]}, square);
    }
}

void PagePainter::paintGrid(QPainter& painter) const {
    const Grid& g = geometry_.layout().grid;
    std::vector<QLineF> lines;
    for (int line = 0; line < g.lines; ++line) {
        const QRectF first = geometry_.squareRect(line, 0);
        const QRectF last = geometry_.squareRect(line, g.squares - 1);
        const QRectF all = first.united(last);
        lines.emplace_back(all.topLeft(), all.bottomLeft());
        lines.emplace_back(all.topRight(), all.bottomRight());
        for (int column = 0; column <= g.squares; ++column) {
            const double y = all.top() + column * geometry_.square();
            lines.emplace_back(all.left(), y, all.right(), y);
        }
    }
    painter.setPen(QPen(kGridColour, 0.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
    painter.setPen(QPen(kGridColour, 1.0));
    painter.drawRect(geometry_.gridRect());
    // The centre mark: a fish tail at the top and at the foot of the centre strip.
    const QRectF strip = geometry_.centreStrip();
    if (strip.isEmpty()) return;
    painter.drawLine(QPointF(strip.left(), strip.top()), QPointF(strip.left(), strip.bottom()));
    painter.drawLine(QPointF(strip.right(), strip.top()), QPointF(strip.right(), strip.bottom()));
    const double w = strip.width(), h = w * 0.8;
    for (const bool top : {true, false}) {
        const double y0 = top ? strip.top() + w * 1.5 : strip.bottom() - w * 1.5;
        const double dir = top ? 1 : -1;
        QPainterPath mark;
        mark.moveTo(strip.left() + w * 0.2, y0);
        mark.lineTo(strip.right() - w * 0.2, y0);
        mark.lineTo(strip.right() - w * 0.2, y0 + dir * h);
        mark.lineTo(strip.center().x(), y0 + dir * h * 0.55);
        mark.lineTo(strip.left() + w * 0.2, y0 + dir * h);
        mark.closeSubpath();
        painter.fillPath(mark, kGridColour);
    }
}

double PagePainter::rowWidth(const QString& text) const {
    double width = 0;
    for (char32_t c : text.toUcs4())
        width += glyph(smallFont_, c).advance;
    return width;
}

void PagePainter::placeRow(Run& run, const QString& text, QPointF at) const {
    for (char32_t c : text.toUcs4()) {
        const Glyph& g = glyph(smallFont_, c);
        run.indexes.append(g.index);
        run.positions.append(at);
        at.rx() += g.advance;
    }
}

void PagePainter::paint(QPainter& painter, const Page& page, const QString& title) const {
    painter.fillRect(QRectF(QPointF(0, 0), geometry_.paper()), Qt::white);
    if (geometry_.layout().DrawsGrid()) paintGrid(painter);
    Run text{&font_, {}, {}};
    Run ruby{&rubyFont_, {}, {}};
    painter.setPen(Qt::black);
    for (std::size_t i = 0; i < page.lines.size(); ++i) {
        const PageLine& line = page.lines[i];
        const int lineIndex = static_cast<int>(i);
        for (const PlacedCell& cell : line.cells)
            paintCell(painter, text, cell.cell, geometry_.squareRect(lineIndex, cell.column));
        for (const PlacedRuby& r : line.ruby)
            paintRuby(painter, ruby, r, lineIndex);
    }
    text.draw(painter);
    ruby.draw(painter);

    Run margin{&smallFont_, {}, {}};
    const QString number = QString::number(page.number);
    const QPointF centre = geometry_.pageNumberCentre();
    placeRow(margin, number, centre - QPointF(rowWidth(number) / 2, -smallFont_.ascent() / 2));
    if (page.number == 1 && !title.isEmpty()) placeRow(margin, title, geometry_.titleOrigin());
    margin.draw(painter);
}

}  // namespace rn::pages

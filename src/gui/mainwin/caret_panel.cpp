#include "gui/mainwin/caret_panel.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

#include "gui/mainwin/status_panels.h"

namespace rn::gui {
namespace {

bool laidOut(const QTextBlock& b) {
    return !b.isVisible() || (b.layout() && b.layout()->lineCount() > 0);
}

}  // namespace

CaretPanel::CaretPanel(QPlainTextEdit& editor, StatusPanels& panels, int panelIndex, QObject* parent)
    : QObject(parent), editor_(editor), panels_(panels), panelIndex_(panelIndex) {
    slices_.setInterval(0);
    connect(&slices_, &QTimer::timeout, this, &CaretPanel::countSlice);
    // A new width or font wraps the lines anew.
    editor_.viewport()->installEventFilter(this);
    editor_.installEventFilter(this);
}

bool CaretPanel::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == editor_.viewport() && event->type() == QEvent::Resize) ||
        (watched == &editor_ && event->type() == QEvent::FontChange))
        QTimer::singleShot(0, this, &CaretPanel::refresh);  // once the editor has taken the change
    return false;
}

void CaretPanel::showCaret() {
    document_ = editor_.document();
    position_ = editor_.textCursor().selectionStart();
    nextBlock_ = 0;
    countSlice();
}

void CaretPanel::clear() {
    slices_.stop();
    position_ = -1;
    document_ = nullptr;
    panels_.setText(panelIndex_, QString());
}

void CaretPanel::refresh() {
    if (position_ < 0) return;
    nextBlock_ = 0;
    countSlice();
}

void CaretPanel::countSlice() {
    QTextDocument* doc = document_;
    if (position_ < 0 || doc != editor_.document()) {
        clear();  // the editor holds another body now
        return;
    }
    const int position = qMin(position_, doc->characterCount() - 1);
    const QTextBlock block = doc->findBlock(position);
    int line = 0;
    int column = position - block.position();
    bool exact = true;
    if (editor_.lineWrapMode() == QPlainTextEdit::NoWrap) {
        line = block.blockNumber();
    } else {
        // The layout keeps each laid-out paragraph's line count and their running sum; one never laid
        // out counts as one line. Lay out a slice of those above the caret, then check that none is
        // left (a new width clears every layout).
        QAbstractTextDocumentLayout* layout = doc->documentLayout();
        int budget = kCaretSliceChars;
        QTextBlock b = doc->findBlockByNumber(qMin(nextBlock_, block.blockNumber()));
        for (; b.isValid() && b != block && budget > 0; b = b.next()) {
            if (laidOut(b)) continue;
            layout->blockBoundingRect(b);
            budget -= b.length();
        }
        nextBlock_ = b.isValid() ? b.blockNumber() : block.blockNumber();
        if (b == block) {
            for (QTextBlock c = doc->firstBlock(); c.isValid() && c != block; c = c.next()) {
                if (!laidOut(c)) {
                    nextBlock_ = c.blockNumber();
                    exact = false;
                    break;
                }
            }
        } else {
            exact = false;
        }
        layout->blockBoundingRect(block);
        line = block.firstLineNumber();
        if (QTextLayout* bl = block.layout(); bl && bl->lineCount() > 0) {
            const QTextLine tl = bl->lineForTextPosition(column);
            if (tl.isValid()) {
                line += tl.lineNumber();
                column -= tl.textStart();
            }
        }
    }
    const QString text = QStringLiteral("%1行/%2").arg(line + 1).arg(column + 1);
    panels_.setText(panelIndex_, exact ? text : QLatin1Char('~') + text);
    if (exact) {
        slices_.stop();
    } else if (!slices_.isActive()) {
        slices_.start();
    }
}

}  // namespace rn::gui

// SPDX-License-Identifier: MIT
#include "gui/editor/caret_panel.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

#include "gui/window/status_panels.h"

namespace rn::gui {
namespace {

bool laidOut(const QTextBlock& b) {
    return !b.isVisible() || (b.layout() && b.layout()->lineCount() > 0);
}

}  // namespace

CaretPanel::CaretPanel(QPlainTextEdit& editor, StatusPanels& panels, int panelIndex, QObject* parent)
    : QObject(parent), editor_(editor), viewport_(editor.viewport()), panels_(panels), panelIndex_(panelIndex) {
    slices_.setInterval(0);
    connect(&slices_, &QTimer::timeout, this, &CaretPanel::countSlice);
    // A new width or font wraps the lines anew.
    viewport_->installEventFilter(this);
    editor_.installEventFilter(this);
}

bool CaretPanel::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == viewport_ && event->type() == QEvent::Resize) ||
        (watched == &editor_ && event->type() == QEvent::FontChange))
        QTimer::singleShot(0, this, &CaretPanel::refresh);  // once the editor has taken the change
    return false;
}

void CaretPanel::showCaret() {
    if (document_ != editor_.document()) {
        if (document_) document_->disconnect(this);
        document_ = editor_.document();
        laidOutBefore_ = 0;
        // An edit of several paragraphs drops their layouts; one of a single paragraph lays it out again.
        connect(document_, &QTextDocument::contentsChange, this, [this](int from, int, int) {
            if (document_) laidOutBefore_ = qMin(laidOutBefore_, document_->findBlock(from).blockNumber());
        });
    }
    position_ = editor_.textCursor().selectionStart();
    countSlice();
}

void CaretPanel::clear() {
    slices_.stop();
    position_ = -1;
    if (document_) document_->disconnect(this);
    document_ = nullptr;
    panels_.setText(panelIndex_, QString());
}

void CaretPanel::refresh() {
    if (position_ < 0) return;
    laidOutBefore_ = 0;  // a new width, font or wrapping drops every layout
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
        // out counts as one line. Lay out a slice of those above the caret that are not known to be
        // laid out already.
        QAbstractTextDocumentLayout* layout = doc->documentLayout();
        QElapsedTimer slice;
        slice.start();
        QTextBlock b = doc->findBlockByNumber(qMin(laidOutBefore_, block.blockNumber()));
        for (; b.isValid() && b != block && !slice.hasExpired(kCaretSliceMs); b = b.next()) {
            if (!laidOut(b)) layout->blockBoundingRect(b);
        }
        exact = !b.isValid() || b == block;
        laidOutBefore_ = exact ? block.blockNumber() : b.blockNumber();
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

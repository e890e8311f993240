// SPDX-License-Identifier: MIT
#include "gui/commands/search_commands.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <optional>
#include <vector>

#include "core/notices.h"
#include "core/outline/node_names.h"
#include "core/search/node_search.h"
#include "core/text/cp932.h"
#include "gui/editor/body_editor.h"
#include "gui/editor/body_text_edit.h"
#include "gui/outline/outline_selection.h"
#include "gui/qt_text.h"
#include "gui/tree/node_dialog.h"
#include "gui/user_input.h"

namespace rn::gui {
namespace {

// The window repaints this often while a search runs, and shows how far it got once it has run
// this long.
constexpr qint64 kRepaintMs = 100;
constexpr qint64 kProgressAfterMs = 500;
// Lines 0 and 1 of a result list are its header and dash line.
constexpr int kFirstResultLine = 2;
// Unreadable body files named in the box; the rest are only counted.
constexpr std::size_t kNamedUnreadable = 5;

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Keeps the window painted during a long search and, once the search has run for a while, shows in
// the message panel how far it got. Input meanwhile is not kept for later (it would land in the editor
// once the list is shown): Esc stops the search, everything else is dropped.
class SearchProgress : public QObject, public rn::SearchObserver {
public:
    explicit SearchProgress(std::function<void(const QString&)> setMessage) : setMessage_(std::move(setMessage)) {
        clock_.start();
        qApp->installEventFilter(this);
    }
    ~SearchProgress() override { qApp->removeEventFilter(this); }

    void Progress(std::size_t done, std::size_t total) override {
        tick([&] { return QStringLiteral(" 検索中･･･[%1/%2]").arg(done).arg(total); });
    }
    bool Stopped() override { return stopped_; }
    // While the lines of one long body go into the pane.
    void filling() {
        tick([] { return QStringLiteral(" 検索中･･･"); });
    }
    bool shown() const { return shown_; }
    // Input that arrived while the search ran goes now, not into the editor once the list is shown.
    void dropWaitingInput() { QApplication::processEvents(QEventLoop::AllEvents); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            stopped_ = true;
        // A close request is not dropped: the program ends as it would at any time.
        if (event->type() == QEvent::Close || !isUserInput(event->type())) return false;
        return watched->isWidgetType() || watched->isWindowType();
    }

private:
    template <typename Text>
    void tick(Text text) {
        const qint64 now = clock_.elapsed();
        if (now - paintedAt_ < kRepaintMs) return;
        paintedAt_ = now;
        if (now >= kProgressAfterMs) {
            setMessage_(text());
            shown_ = true;
        }
        QApplication::processEvents(QEventLoop::AllEvents);
    }

    std::function<void(const QString&)> setMessage_;
    QElapsedTimer clock_;
    qint64 paintedAt_ = 0;
    bool shown_ = false;
    bool stopped_ = false;
};

// Fills the (hidden) lower pane while the search runs, a piece of lines at a time: the list is never
// held whole beside the pane, and the window keeps painting.
class PaneFiller {
public:
    PaneFiller(QPlainTextEdit& pane, std::string_view header) : pane_(pane), end_(pane.document()) {
        pane_.clear();
        end_.insertText(fromCp932(header) + QLatin1Char('\n') + fromCp932(rn::DashLine(header)));
    }

    void append(std::string& lines) {  // whole lines, each ending in "\n"
        if (lines.empty()) return;
        end_.insertText(QLatin1Char('\n') + fromCp932(std::string_view(lines).substr(0, lines.size() - 1)));
    }

    // Line 0 gets the number of occurrences once it is known.
    void setHeaderLine(std::string_view line) {
        QTextCursor first(pane_.document()->firstBlock());
        first.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        first.insertText(fromCp932(line));
    }

private:
    QPlainTextEdit& pane_;
    QTextCursor end_;
};

// Field 1 of every result line in the pane: the nodes a narrowing search looks in. Only the start of
// each line is taken, so that a long list is not copied whole.
std::vector<int> listedInPane(const QTextDocument& list) {
    std::string fields = "\n\n";  // the header and dash lines, which rn::ListedNodes passes over
    for (QTextBlock line = list.findBlockByNumber(2); line.isValid(); line = line.next()) {
        const QString text = line.text();
        fields += text.left(text.indexOf(QLatin1Char(',')) + 1).toStdString();
        fields += '\n';
    }
    return rn::ListedNodes(fields);
}

// A body file that exists but cannot be read leaves the list incomplete: the user must know.
void reportUnreadable(const std::vector<std::string>& errors) {
    if (errors.empty()) return;
    std::string text;
    for (std::size_t i = 0; i < errors.size() && i < kNamedUnreadable; ++i)
        text += (i ? "\n" : "") + errors[i];
    if (errors.size() > kNamedUnreadable)
        text += "\nほか " + std::to_string(errors.size() - kNamedUnreadable) + " 個の本文ファイルも開けませんでした";
    rn::notices().ErrorBox(text);
}

}  // namespace

SearchCommands::SearchCommands(rn::Document& doc, OutlineSelection& selection, BodyEditor& editor,
                               NodeNameDialog& dialog, QAbstractItemModel& outlineModel,
                               std::function<void(const QString&)> setMessage, QObject* parent)
    : QObject(parent),
      doc_(doc),
      selection_(selection),
      editor_(editor),
      dialog_(dialog),
      setMessage_(std::move(setMessage)) {
    BodyTextEdit* pane = &editor_.lowerPane();
    pane->installEventFilter(this);
    pane->viewport()->installEventFilter(this);
    // The pane only ever shows text put there whole; an undo history of it would be memory for nothing.
    pane->document()->setUndoRedoEnabled(false);
    // The current line of a result list shows wherever the caret goes (a click, a key).
    connect(pane, &QPlainTextEdit::cursorPositionChanged, this, &SearchCommands::showCurrentListLine);
    // Another document (open, new, the history menu, the tray) makes the node indexes of a list point
    // into the wrong outline: the list ends with it.
    connect(&outlineModel, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        outlineReplaced_ = true;
        editor_.closeSearchResults();
    });
}

void SearchCommands::runSearch() {
    rn::ClearStatus();
    if (!doc_.IsOpen()) {
        rn::ShowStatus("Rnote ファイルを 開くか/新規作成して下さい");
        return;
    }
    const bool narrowing = editor_.lowerPaneMode() == LowerPaneMode::Results;
    if (!narrowing) editor_.lowerPane().clear();
    outlineReplaced_ = false;
    const std::optional<NameAnswer> answer = dialog_.ask(narrowing ? rn::NameMode::NarrowSearch : rn::NameMode::Search);
    if (!answer || outlineReplaced_) {
        if (!answer) rn::ShowStatus("ノード検索処理はキャンセルされました");
        editor_.closeLowerPane();
        return;
    }
    // The search reads the files: what the editor holds must be in them. When it cannot be written
    // (the error has been shown), a list of what is on disk would contradict the screen. A list
    // being narrowed stays as it was; a new search had emptied the pane, which closes.
    if (!doc_.SaveTreeFile() || !editor_.saveCurrentBody()) {
        if (!narrowing) editor_.closeLowerPane();
        return;
    }
    searchAndShow(answer->name,
                  narrowing ? std::optional(listedInPane(*editor_.lowerPane().document())) : std::nullopt);
}

void SearchCommands::searchAndShow(const std::string& key, const std::optional<std::vector<int>>& narrowTo) {
    rn::Document& doc = doc_;
    BodyTextEdit* pane = &editor_.lowerPane();
    // The pane takes its place in the window while it is still empty and is then hidden while it
    // fills: shown again at the same width, it keeps the lines as they are. Every change of its width
    // lays out each line anew, which for a long list costs more than the list itself.
    if (pane->isHidden()) pane->show();
    pane->hide();
    // The search works on copies of the node texts: the window keeps painting meanwhile.
    const std::vector<rn::Node*>& all = doc.outline.Preorder();
    std::vector<std::string> texts;
    texts.reserve(all.size());
    std::vector<rn::SearchNode> nodes;
    nodes.reserve(all.size());
    for (const rn::Node* n : all) {
        texts.push_back(n->text);
        nodes.push_back({texts.back(), n->IsText()});
    }
    SearchProgress progress(setMessage_);
    const rn::SearchScope scope{nodes, doc.treeDir, editor_.state(), &progress};
    rn::ResultList list;
    {
        BusyCursor busy;
        PaneFiller filler(*pane, rn::SearchHeader(key, narrowTo.has_value()));
        const rn::LineSink toPane = [&](std::string& lines) {
            if (!outlineReplaced_) filler.append(lines);
            progress.filling();
            return !progress.Stopped() && !outlineReplaced_;
        };
        list = narrowTo ? rn::NarrowSearch(scope, key, *narrowTo, toPane) : rn::NewSearch(scope, key, toPane);
        if (list.found > 0 && !outlineReplaced_) filler.setHeaderLine(list.HeaderLine());
        progress.dropWaitingInput();
        if (progress.shown()) rn::ClearStatus();
    }
    if (outlineReplaced_) {
        pane->clear();
        editor_.closeLowerPane();
        return;
    }
    if (list.found > 0) {
        key_ = key;
        editor_.showResults();
        // The list takes the keys, its first result line current.
        setCurrentListLine(kFirstResultLine);
        pane->setFocus();
    }
    reportUnreadable(list.unreadable);
    if (list.stopped)
        rn::ShowStatus("ノード検索を中止しました｡" + std::to_string(list.found) + "箇所まで表示しています");
    if (list.found > 0) return;
    rn::ShowStatus("検索文字 " + rn::Cp932ToUtf8(key) + " は有りません");
    pane->clear();  // the list narrowed to nothing is gone
    editor_.closeLowerPane();
}

void SearchCommands::jumpToResult(int listLine) {
    if (editor_.lowerPaneMode() != LowerPaneMode::Results || listLine < 2) return;
    const QTextBlock line = editor_.lowerPane().document()->findBlockByNumber(listLine);
    if (!line.isValid() || line.text().isEmpty()) return;
    const std::optional<rn::ResultTarget> target = rn::ParseResultLine(toUtf8(line.text()));
    if (!target) return;
    rn::Node* node = doc_.outline.At(target->node);
    if (!node) return;
    selection_.selectNode(node);  // the selection change writes the body left and loads this one
    selection_.focusOutline();
    // The editor holds the node's body only when the selection change could load it.
    if (selection_.selectedNode() != node || editor_.nodeText() != node->text || editor_.state() == rn::kNoBody ||
        editor_.editor().isHidden())
        return;
    highlightKeyOnLine(target->line);
}

void SearchCommands::highlightKeyOnLine(int lineNumber) {
    QPlainTextEdit* editor = &editor_.editor();
    editor->setFocus();
    // Blocks are the body's lines whether or not they are wrapped on screen.
    const QTextBlock line = editor->document()->findBlockByNumber(lineNumber - 1);
    if (!line.isValid()) return;
    // Decoded, every CP932 spelling of a character is the same character, and a match always starts
    // on a character.
    const QString key = fromCp932(key_);
    const qsizetype column = std::max<qsizetype>(line.text().indexOf(key), 0);
    const qsizetype end = std::min<qsizetype>(column + key.size(), line.length() - 1);
    QTextCursor cursor(line);
    cursor.setPosition(line.position() + static_cast<int>(column));
    cursor.setPosition(line.position() + static_cast<int>(end), QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
}

void SearchCommands::setCurrentListLine(int line) {
    BodyTextEdit* pane = &editor_.lowerPane();
    const int last = pane->document()->blockCount() - 1;
    line = std::clamp(line, kFirstResultLine, std::max(kFirstResultLine, last));
    const QTextBlock block = pane->document()->findBlockByNumber(line);
    if (!block.isValid()) return;
    pane->setTextCursor(QTextCursor(block));
    pane->ensureCursorVisible();
    showCurrentListLine();
}

void SearchCommands::showCurrentListLine() {
    BodyTextEdit* pane = &editor_.lowerPane();
    QList<QTextEdit::ExtraSelection> marks;
    if (editor_.lowerPaneMode() == LowerPaneMode::Results && pane->textCursor().blockNumber() >= kFirstResultLine) {
        QTextEdit::ExtraSelection line;
        line.format.setBackground(pane->palette().brush(QPalette::Highlight));
        line.format.setForeground(pane->palette().brush(QPalette::HighlightedText));
        line.format.setProperty(QTextFormat::FullWidthSelection, true);
        line.cursor = pane->textCursor();
        line.cursor.clearSelection();
        marks << line;
    }
    pane->setExtraSelections(marks);
}

bool SearchCommands::moveInList(int key) {
    BodyTextEdit* pane = &editor_.lowerPane();
    const int current = pane->textCursor().blockNumber();
    const int page = std::max(1, pane->viewport()->height() / std::max(1, pane->fontMetrics().lineSpacing()) - 1);
    switch (key) {
        case Qt::Key_Up:
            setCurrentListLine(current - 1);
            return true;
        case Qt::Key_Down:
            setCurrentListLine(current + 1);
            return true;
        case Qt::Key_PageUp:
            setCurrentListLine(current - page);
            return true;
        case Qt::Key_PageDown:
            setCurrentListLine(current + page);
            return true;
        case Qt::Key_Home:
            setCurrentListLine(kFirstResultLine);
            return true;
        case Qt::Key_End:
            setCurrentListLine(pane->document()->blockCount() - 1);
            return true;
        default:
            return false;
    }
}

bool SearchCommands::eventFilter(QObject* watched, QEvent* event) {
    // Asked about every event of the pane, also while the window is being destroyed, when the window
    // may no longer be asked anything.
    if (event->type() != QEvent::MouseButtonRelease && event->type() != QEvent::KeyPress) return false;
    BodyTextEdit* pane = &editor_.lowerPane();
    if (editor_.lowerPaneMode() != LowerPaneMode::Results) return false;
    if (watched == pane->viewport() && event->type() == QEvent::MouseButtonRelease) {
        // The press has put the caret on the clicked line; a drag that selected text is no click.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !pane->textCursor().hasSelection())
            jumpToResult(pane->textCursor().blockNumber());
    } else if (watched == pane && event->type() == QEvent::KeyPress) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        const int key = keyEvent->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            jumpToResult(pane->textCursor().blockNumber());
            return true;
        }
        if (keyEvent->modifiers() == Qt::NoModifier || keyEvent->modifiers() == Qt::KeypadModifier)
            return moveInList(key);
    }
    return false;
}

}  // namespace rn::gui

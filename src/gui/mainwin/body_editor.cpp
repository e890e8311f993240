#include "gui/mainwin/body_editor.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextBlock>
#include <QTextLayout>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/text/cp932.h"
#include "core/tree/files.h"
#include "core/tree/notices.h"
#include "core/tree/treefile.h"
#include "gui/mainwin/appearance.h"
#include "gui/mainwin/main_window.h"
#include "gui/mainwin/memo_edit.h"
#include "gui/mainwin/status_panels.h"
#include "platform/lock_keys.h"

namespace rn::gui {
namespace {

QString BodyToText(std::string_view bytes) {
    QString text = FromCp932(bytes);
    text.remove(QLatin1Char('\r'));  // bodies hold CR LF only; the editor wants LF
    return text;
}

}  // namespace

BodyEditor::BodyEditor(TFormTree& window) : QObject(&window), w_(window) {}

bool BodyEditor::ReadBody(std::string_view nodeText, std::string& path, std::string& bytes, std::size_t* undefinedAt) {
    const rn::Document& doc = w_.doc();
    auto bodyPath = doc.BodyPath(nodeText);
    std::string raw, reason;
    if (!bodyPath) {
        rn::ReportOpenError(doc.TreeDir + rn::Cp932ToUtf8(nodeText), "ファイル名に使えないノード名です");
        return false;
    }
    // Refused before anything is read: the limit is far beyond what is worth reading in vain.
    std::error_code sizeError;
    if (const auto size = std::filesystem::file_size(*bodyPath, sizeError); !sizeError && size > kBodyLimit) {
        rn::notices().ErrorBox("文字列の大きさがメモの制限を越えました");
        return false;
    }
    if (!rn::ReadFileBytes(*bodyPath, raw, &reason)) {
        rn::ReportOpenError(*bodyPath, reason);
        return false;
    }
    if (raw.size() > kBodyLimit) {
        rn::notices().ErrorBox("文字列の大きさがメモの制限を越えました");
        return false;
    }
    path = std::move(*bodyPath);
    rn::BodyText body = rn::TakeNormalizedBody(std::move(raw));
    if (body.dataAfterNul) {
        // Editing it would drop everything after the NUL when it is written back.
        rn::ReportOpenError(path, "途中に NUL バイトがあり、その後ろを読み込めません");
        return false;
    }
    bytes = std::move(body.bytes);
    if (undefinedAt) *undefinedAt = body.undefinedAt;
    return true;
}

bool BodyEditor::ReadInto(std::string_view nodeText, QPlainTextEdit& edit) {
    std::string path, bytes;
    if (!ReadBody(nodeText, path, bytes)) return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    edit.setPlainText(BodyToText(bytes));
    edit.document()->setModified(false);
    QApplication::restoreOverrideCursor();
    return true;
}

void BodyEditor::KeepOrDrop(QTextDocument* doc) {
    if (!matches_ || path_.empty() || original_.size() > kKeptBodyBytes) {
        delete doc;
        return;
    }
    kept_.push_front({path_, std::move(original_), doc});  // the editor takes another body next
    std::size_t total = 0, n = 0;
    auto it = kept_.begin();
    for (; it != kept_.end() && n < kKeptBodies && total + it->bytes.size() <= kKeptBodyBytes; ++it, ++n)
        total += it->bytes.size();
    for (auto drop = it; drop != kept_.end(); ++drop)
        delete drop->doc;
    kept_.erase(it, kept_.end());
}

void BodyEditor::ShowInEditor(const std::string& path, std::string bytes) {
    QPlainTextEdit& memo = *w_.MemoM();
    QTextDocument* current = memo.document();
    QTextDocument* next = nullptr;
    // A kept document of this file serves only while the file still holds the same bytes.
    for (auto it = kept_.begin(); it != kept_.end();) {
        if (it->path != path) {
            ++it;
            continue;
        }
        if (!next && it->bytes == bytes) {
            next = it->doc;
        } else {
            delete it->doc;
        }
        it = kept_.erase(it);
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (next) {
        next->clearUndoRedoStacks();
    } else {
        next = new QTextDocument(this);
        next->setDocumentLayout(new QPlainTextDocumentLayout(next));
        next->setPlainText(BodyToText(bytes));
    }
    // The editor's font, tab stops and wrapping belong to its document: hand them over.
    if (next->defaultFont() != memo.font()) next->setDefaultFont(memo.font());
    const QTextOption option = current->defaultTextOption();
    const QTextOption had = next->defaultTextOption();
    if (had.tabStopDistance() != option.tabStopDistance() || had.wrapMode() != option.wrapMode() ||
        had.flags() != option.flags())
        next->setDefaultTextOption(option);
    next->setModified(false);
    current->disconnect(this);
    // The editor's own first document is deleted by setDocument; the others are this editor's.
    const bool ours = current->parent() == this;
    memo.setDocument(next);
    if (ours) KeepOrDrop(current);
    QApplication::restoreOverrideCursor();
    path_ = path;
    original_ = std::move(bytes);
    matches_ = true;
    connect(next, &QTextDocument::contentsChanged, this, [this] { matches_ = false; });
}

bool BodyEditor::LoadBody(std::string_view nodeText) {
    std::string path, bytes;
    std::size_t undefinedAt = std::string::npos;
    if (!ReadBody(nodeText, path, bytes, &undefinedAt)) return false;
    unwritable_ = undefinedAt != std::string::npos;
    if (unwritable_) rn::ShowStatus(rn::ReadOnlyBodyMessage(path, undefinedAt));
    ShowInEditor(path, std::move(bytes));
    AppState& s = w_.state();
    if (s.lowerPane == LowerPaneMode::Split && s.settings.AddMemo.ILSW) ReadInto(nodeText, *w_.MemoF());
    return true;
}

bool BodyEditor::EditorBytes(std::string& bytes) const {
    QPlainTextEdit* memo = w_.MemoM();
    if (!memo->document()->isModified()) {
        bytes = original_;
        return true;
    }
    QString text = memo->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    rn::EncodeResult r = rn::Utf16ToCp932(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
    if (!r.ok) {
        // Input is filtered, so this is a safety net: keep the file as it is rather than lose text.
        rn::notices().ErrorBox(ToUtf8(RefusedCharacterMessage(r.firstBad)));
        return false;
    }
    bytes = std::move(r.bytes);
    return true;
}

bool BodyEditor::SaveBody(std::string_view nodeText) {
    if (unwritable_) return true;  // nothing could be typed into it, and its bytes stay as they are
    const bool encoded = w_.MemoM()->document()->isModified();
    if (!encoded) {
        // Unedited: the loaded bytes go back as they are, without a copy.
        if (!w_.doc().SaveBody(nodeText, original_)) return false;
    } else {
        std::string bytes;
        if (!EditorBytes(bytes)) return false;
        if (!w_.doc().SaveBody(nodeText, bytes)) return false;
        // What is on disk now is what the editor holds: an unedited rewrite of it is byte-exact.
        original_ = std::move(bytes);
        w_.MemoM()->document()->setModified(false);
        // Written from the editor's text, the file now stands for exactly that text.
        matches_ = true;
    }
    if (auto path = w_.doc().BodyPath(nodeText)) path_ = *path;
    return true;
}

bool BodyEditor::SaveCurrentBody() {
    rn::Document& doc = w_.doc();
    if (!doc.EditNodeName.empty() && doc.EditNodeState == rn::kEditing) return SaveBody(doc.EditNodeName);
    return true;
}

void BodyEditor::ShowNodePosition(rn::Node* node) {
    const AppState& s = w_.state();
    const int level = rn::Outline::LevelOf(node);
    w_.StatusBar1()->SetText(0, QStringLiteral("No.%1/%2階層/%3子")
                                    .arg(static_cast<qlonglong>(s.settings.Start.NodeNo) + 1)
                                    .arg(level + 1)
                                    .arg(node->ChildCount()));
}

void BodyEditor::TreeView1Change(rn::Node* node) {
    rn::Document& doc = w_.doc();
    AppState& s = w_.state();
    if (doc.TreeLoading || s.selectionQuiet > 0 || !node) return;
    rn::ClearStatus();
    // A body that could not be written stays in the editor, still under its own name: loading the
    // next one would lose the edits.
    if (!SaveCurrentBody()) return;
    s.DialogNodeName = node->text;
    doc.EditNodeName = node->text;
    doc.EditNodeState = rn::kNoBody;
    if (s.StartupDone) s.settings.Start.NodeNo = doc.outline.IndexOf(node);
    ShowNodePosition(node);
    QPlainTextEdit* memo = w_.MemoM();
    if (node->IsText()) {
        memo->show();
        doc.EditNodeState = rn::kEditing;
        if (LoadBody(node->text)) {
            ApplyTabStops(*memo, s.settings.Memo.TabSize);
        } else {
            // Nothing of the previous node may stay in an editor that could be written to this node.
            ClearEditor();
            memo->hide();
            doc.EditNodeState = rn::kNoBody;
        }
    } else {
        memo->hide();
    }
    memo->setReadOnly(node->IsText() && unwritable_);
    if (rn::IsInTrash(node)) {
        doc.EditNodeState = rn::kTrashView;
        rn::ShowStatus("ゴミです");
        memo->setReadOnly(true);
    }
}

QString BodyEditor::CaretText(const QPlainTextEdit& edit) {
    QTextCursor cursor = edit.textCursor();
    const int pos = cursor.selectionStart();
    QTextBlock block = edit.document()->findBlock(pos);
    int line = 0;
    int column = pos - block.position();
    if (edit.lineWrapMode() == QPlainTextEdit::NoWrap) {
        line = block.blockNumber();
    } else {
        // Displayed lines: the wrapped lines of every block before, then the line within this block.
        // The layout keeps each laid-out block's line count and their running sum (a block never laid
        // out counts one line). Blocks above the caret that were never shown are laid out first, up
        // to a bound: laying out is shaping text, and a caret at the end of a huge body must not
        // freeze the editor; beyond the bound such blocks keep counting one line.
        QAbstractTextDocumentLayout* layout = edit.document()->documentLayout();
        if (block.position() <= kExactCaretChars) {
            for (QTextBlock b = edit.document()->firstBlock(); b.isValid() && b != block; b = b.next())
                if (b.isVisible() && (!b.layout() || b.layout()->lineCount() == 0)) layout->blockBoundingRect(b);
        }
        layout->blockBoundingRect(block);
        line = block.firstLineNumber();
        if (QTextLayout* bl = block.layout(); bl && bl->lineCount() > 0) {
            QTextLine tl = bl->lineForTextPosition(column);
            if (tl.isValid()) {
                line += tl.lineNumber();
                column -= tl.textStart();
            }
        }
    }
    return QStringLiteral("%1行/%2").arg(line + 1).arg(column + 1);
}

QString BodyEditor::LockText(bool capsLock, bool numLock) {
    QString text = capsLock ? QStringLiteral("C ") : QStringLiteral("  ");
    if (numLock) text += QStringLiteral(" Num");
    return text;
}

void BodyEditor::MemoMKeyUp() {
    rn::ClearStatus();
    w_.StatusBar1()->SetText(2, CaretText(*w_.MemoM()));
    rn::LockKeyState keys = rn::CurrentLockKeys();
    w_.StatusBar1()->SetText(3, LockText(keys.capsLock, keys.numLock));
    // A character refused by this key (or by the input method's commit just before it) must still be
    // readable after the release; it has beeped already.
    if (auto refused = w_.MemoM()->PendingRefusal())
        rn::notices().SetStatusText(" " + ToUtf8(RefusedCharacterMessage(*refused)));
}

void BodyEditor::ClearEditor() {
    w_.MemoM()->clear();
    w_.MemoM()->document()->setModified(false);
    original_.clear();
    path_.clear();
    unwritable_ = false;
}

void BodyEditor::SearchOff() {
    w_.MemoF()->hide();
    w_.state().lowerPane = LowerPaneMode::Hidden;
}

void BodyEditor::ToolButtonTABClick() {
    rn::ClearStatus();
    rn::Settings& st = w_.state().settings;
    st.Memo.TabIn = !st.Memo.TabIn;
    ApplySettings(w_);
    rn::ShowStatus(st.Memo.TabIn ? "Tab入力できます" : "Tab入力解除しました");
}

void BodyEditor::ToolButtonCRClick() {
    rn::ClearStatus();
    rn::Settings& st = w_.state().settings;
    st.Memo.WordWrap = !st.Memo.WordWrap;
    ApplySettings(w_);
}

void BodyEditor::ToolButtonSprClick() {
    rn::ClearStatus();
    AppState& s = w_.state();
    rn::Document& doc = w_.doc();
    if (s.lowerPane != LowerPaneMode::Hidden) {
        SearchOff();
        rn::ShowStatus("メモ画面分割を解除しました");
    } else if (doc.EditNodeState == rn::kEditing) {
        // The lower pane shows the body as saved: edits since the selection are not in it.
        if (!ReadInto(doc.EditNodeName, *w_.MemoF())) return;
        s.lowerPane = LowerPaneMode::Split;
        w_.MemoF()->show();
        rn::ShowStatus("メモ画面を分割しました");
    } else {
        rn::ShowStatus("2画面分割するには､テキストノードを指定して下さい");
    }
}

}  // namespace rn::gui

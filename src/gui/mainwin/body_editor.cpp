#include "gui/mainwin/body_editor.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextBlock>
#include <QTextLayout>
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

bool BodyEditor::ReadInto(std::string_view nodeText, QPlainTextEdit& edit, std::string* original) {
    const rn::Document& doc = w_.doc();
    auto path = doc.BodyPath(nodeText);
    std::string raw, reason;
    if (!path) {
        rn::ReportOpenError(doc.TreeDir + rn::Cp932ToUtf8(nodeText), "ファイル名に使えないノード名です");
        return false;
    }
    // Refused before anything is read: the limit is far beyond what is worth reading in vain.
    std::error_code sizeError;
    if (const auto size = std::filesystem::file_size(*path, sizeError); !sizeError && size > kBodyLimit) {
        rn::notices().ErrorBox("文字列の大きさがメモの制限を越えました");
        return false;
    }
    if (!rn::ReadFileBytes(*path, raw, &reason)) {
        rn::ReportOpenError(*path, reason);
        return false;
    }
    if (raw.size() > kBodyLimit) {
        rn::notices().ErrorBox("文字列の大きさがメモの制限を越えました");
        return false;
    }
    rn::BodyText body = rn::NormalizeBody(raw);
    if (body.dataAfterNul) {
        // Editing it would drop everything after the NUL when it is written back.
        rn::ReportOpenError(*path, "途中に NUL バイトがあり、その後ろを読み込めません");
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    edit.setPlainText(BodyToText(body.bytes));
    edit.document()->setModified(false);
    QApplication::restoreOverrideCursor();
    if (original) *original = std::move(body.bytes);
    return true;
}

bool BodyEditor::LoadBody(std::string_view nodeText) {
    if (!ReadInto(nodeText, *w_.MemoM(), &original_)) return false;
    AppState& s = w_.state();
    if (s.lowerPane == LowerPaneMode::Split && s.settings.AddMemo.ILSW) ReadInto(nodeText, *w_.MemoF(), nullptr);
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
    std::string bytes;
    if (!EditorBytes(bytes)) return false;
    if (!w_.doc().SaveBody(nodeText, bytes)) return false;
    // What is on disk now is what the editor holds: an unedited rewrite of it is byte-exact.
    original_ = std::move(bytes);
    w_.MemoM()->document()->setModified(false);
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
    memo->setReadOnly(false);
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
        // Asking the layout for a block's rectangle lays the block out, so its line count is real.
        QAbstractTextDocumentLayout* layout = edit.document()->documentLayout();
        for (QTextBlock b = edit.document()->firstBlock(); b.isValid() && b != block; b = b.next()) {
            layout->blockBoundingRect(b);
            line += qMax(1, b.layout() ? b.layout()->lineCount() : 1);
        }
        layout->blockBoundingRect(block);
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
        if (!ReadInto(doc.EditNodeName, *w_.MemoF(), nullptr)) return;
        s.lowerPane = LowerPaneMode::Split;
        w_.MemoF()->show();
        rn::ShowStatus("メモ画面を分割しました");
    } else {
        rn::ShowStatus("2画面分割するには､テキストノードを指定して下さい");
    }
}

}  // namespace rn::gui

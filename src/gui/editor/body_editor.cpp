// SPDX-License-Identifier: MIT
#include "gui/editor/body_editor.h"

#include <QApplication>
#include <QFileSystemWatcher>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/notices.h"
#include "core/outline/treefile.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"
#include "core/text/text_entry.h"
#include "gui/editor/body_text_edit.h"
#include "gui/editor/caret_panel.h"
#include "gui/outline/outline_selection.h"
#include "gui/qt_text.h"
#include "gui/window/appearance.h"
#include "gui/window/status_panels.h"
#include "platform/lock_keys.h"

namespace rn::gui {
namespace {

QString bodyToText(std::string_view bytes) {
    QString text = fromCp932(bytes);
    text.remove(QLatin1Char('\r'));  // bodies hold CR LF only; the editor wants LF
    return text;
}

// Where the reader was in a pane, found again after its text has been read anew.
struct PanePlace {
    explicit PanePlace(const QPlainTextEdit& pane)
        : caret(pane.textCursor().position()), scroll(pane.verticalScrollBar()->value()) {}
    void restore(QPlainTextEdit& pane) const {
        QTextCursor cursor = pane.textCursor();
        cursor.setPosition(qMin(caret, pane.document()->characterCount() - 1));
        pane.setTextCursor(cursor);
        pane.verticalScrollBar()->setValue(scroll);
    }
    int caret;
    int scroll;
};

}  // namespace

BodyEditor::BodyEditor(rn::Document& doc, rn::Settings& settings, OutlineSelection& selection, BodyTextEdit& editor,
                       BodyTextEdit& lowerPane, StatusPanels& panels, QObject* parent)
    : QObject(parent),
      doc_(doc),
      settings_(settings),
      selection_(selection),
      editor_(editor),
      lowerPane_(lowerPane),
      panels_(panels),
      caretPanel_(new CaretPanel(editor, panels, 2, this)) {
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &BodyEditor::checkBodyOnDisk);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &BodyEditor::checkBodyOnDisk);
}

bool BodyEditor::readBody(std::string_view nodeText, std::string& path, std::string& bytes, LoadedFile* loaded) {
    auto bodyPath = doc_.BodyPath(nodeText);
    if (!bodyPath) {
        rn::ReportOpenError(doc_.treeDir + rn::Cp932ToUtf8(nodeText), "ファイル名に使えないノード名です");
        return false;
    }
    if (!readBodyFile(*bodyPath, bytes, loaded)) return false;
    path = std::move(*bodyPath);
    return true;
}

bool BodyEditor::readBodyFile(const std::string& path, std::string& bytes, LoadedFile* loaded) {
    std::string raw, reason;
    // Refused before anything is read: the limit is far beyond what is worth reading in vain.
    std::error_code sizeError;
    if (const auto size = std::filesystem::file_size(path, sizeError); !sizeError && size > kBodyLimit) {
        rn::notices().ErrorBox("文字列の大きさがメモの制限を越えました");
        return false;
    }
    if (!rn::ReadFileBytes(path, raw, &reason)) {
        rn::ReportOpenError(path, reason);
        return false;
    }
    if (raw.size() > kBodyLimit) {
        rn::notices().ErrorBox("文字列の大きさがメモの制限を越えました");
        return false;
    }
    if (loaded) {
        loaded->stamp = rn::StampFile(path, raw);
        loaded->holdsBytes = rn::IsNormalBody(raw);
    }
    rn::BodyText body = rn::TakeNormalizedBody(std::move(raw));
    if (body.dataAfterNul) {
        // Editing it would drop everything after the NUL when it is written back.
        rn::ReportOpenError(path, "途中に NUL バイトがあり、その後ろを読み込めません");
        return false;
    }
    bytes = std::move(body.bytes);
    if (loaded) loaded->undefinedAt = body.undefinedAt;
    return true;
}

bool BodyEditor::readIntoLowerPane(std::string_view nodeText) {
    std::string path, bytes;
    LoadedFile loaded;
    if (!readBody(nodeText, path, bytes, &loaded)) return false;
    showInPane(lowerPane_, bytes);
    lowerPath_ = std::move(path);
    lowerStamp_ = loaded.stamp;
    return true;
}

void BodyEditor::showInPane(QPlainTextEdit& pane, std::string_view bytes) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    pane.setPlainText(bodyToText(bytes));
    pane.document()->setModified(false);
    QApplication::restoreOverrideCursor();
}

void BodyEditor::keepOrDrop(QTextDocument* doc) {
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

void BodyEditor::showInEditor(const std::string& path, std::string bytes) {
    QPlainTextEdit& editor = editor_;
    QTextDocument* current = editor.document();
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
        next->setPlainText(bodyToText(bytes));
    }
    // The editor's font, tab stops and wrapping belong to its document: hand them over.
    if (next->defaultFont() != editor.font()) next->setDefaultFont(editor.font());
    const QTextOption option = current->defaultTextOption();
    const QTextOption had = next->defaultTextOption();
    if (had.tabStopDistance() != option.tabStopDistance() || had.wrapMode() != option.wrapMode() ||
        had.flags() != option.flags())
        next->setDefaultTextOption(option);
    next->setModified(false);
    current->disconnect(this);
    // The editor's own first document is deleted by setDocument; the others are this editor's.
    const bool ours = current->parent() == this;
    editor.setDocument(next);
    if (ours) keepOrDrop(current);
    QApplication::restoreOverrideCursor();
    path_ = path;
    original_ = std::move(bytes);
    matches_ = true;
    connect(next, &QTextDocument::contentsChanged, this, [this] { matches_ = false; });
}

bool BodyEditor::loadBody(std::string_view nodeText) {
    std::string path, bytes;
    LoadedFile loaded;
    if (!readBody(nodeText, path, bytes, &loaded)) return false;
    unwritable_ = loaded.undefinedAt != std::string::npos;
    if (unwritable_) rn::ShowStatus(rn::ReadOnlyBodyMessage(path, loaded.undefinedAt));
    showInEditor(path, std::move(bytes));
    stamp_ = loaded.stamp;
    diskHoldsOriginal_ = loaded.holdsBytes;
    editorWatched_ = path_;
    if (lowerMode_ == LowerPaneMode::Split && settings_.AddMemo.ILSW) readIntoLowerPane(nodeText);
    watchShownFiles();
    return true;
}

void BodyEditor::watchShownFiles() {
    QStringList wanted;
    for (const std::string* path : {&editorWatched_, &lowerPath_}) {
        if (path->empty()) continue;
        // The directory too: a file replaced by renaming another over it is a new file to the watcher.
        for (const QString& watched : {fromUtf8(*path), fromUtf8(rn::DirectoryOf(*path))})
            if (!wanted.contains(watched)) wanted << watched;
    }
    // Paths still wanted stay watched: a change already reported for them must not be dropped.
    QStringList gone, added;
    for (const QString& watched : watcher_->files() + watcher_->directories())
        if (!wanted.contains(watched)) gone << watched;
    for (const QString& path : wanted)
        if (!watcher_->files().contains(path) && !watcher_->directories().contains(path)) added << path;
    if (!gone.isEmpty()) watcher_->removePaths(gone);
    if (!added.isEmpty()) watcher_->addPaths(added);
}

// Watching a file ends when it is replaced; while it exists again, it is watched again.
void BodyEditor::watchAgain(const std::string& path) {
    const QString file = fromUtf8(path);
    if (!watcher_->files().contains(file) && rn::FileExists(path)) watcher_->addPath(file);
}

void BodyEditor::checkBodyOnDisk() {
    if (doc_.loadingOutline || selection_.quiet()) return;
    reloadLowerPaneFromDisk(reloadEditorFromDisk());
}

std::string BodyEditor::reloadEditorFromDisk() {
    QPlainTextEdit* editor = &editor_;
    if (path_.empty() || (state_ != rn::kEditing && state_ != rn::kTrashView)) return {};
    auto path = doc_.BodyPath(nodeText_);
    if (!path) return {};
    watchAgain(*path);
    // Typed text is never replaced: saving it asks before overwriting the other program's change.
    // A file that is gone leaves the text on screen.
    if (editor->document()->isModified() || rn::FileUnchanged(stamp_, *path) || !rn::FileExists(*path)) return {};
    // A file that could not be read is reported once for each state it is in, not at every change
    // in its directory (the program's own saves of other bodies included).
    const rn::FileStamp now = rn::StampFile(*path, {});
    if (rn::SameFileStatus(now, unreadableStamp_)) return *path;
    std::string bytes;
    LoadedFile loaded;
    if (!readBodyFile(*path, bytes, &loaded)) {
        unreadableStamp_ = now;
        return *path;
    }
    unreadableStamp_ = {};
    const PanePlace place(*editor);
    const bool readOnly = editor->isReadOnly();
    unwritable_ = loaded.undefinedAt != std::string::npos;
    showInEditor(*path, std::move(bytes));
    stamp_ = loaded.stamp;
    diskHoldsOriginal_ = loaded.holdsBytes;
    place.restore(*editor);
    editor->setReadOnly(readOnly || unwritable_);
    rn::notices().SetStatusText(" ファイル \"" + *path + "\" は他のプログラムで変更されたため、読み込み直しました");
    return {};
}

void BodyEditor::reloadLowerPaneFromDisk(const std::string& unreadable) {
    // The pane is never edited: it shows the file as it is, also after the editor wrote it. A file
    // the editor could not read has been reported once already.
    if (lowerMode_ != LowerPaneMode::Split || lowerPath_.empty() || lowerPath_ == unreadable) return;
    watchAgain(lowerPath_);
    if (rn::FileUnchanged(lowerStamp_, lowerPath_) || !rn::FileExists(lowerPath_)) return;
    std::string bytes;
    LoadedFile loaded;
    if (!readBodyFile(lowerPath_, bytes, &loaded)) {
        // Said once: the pane keeps what it showed and stops following the file.
        lowerPath_.clear();
        watchShownFiles();
        return;
    }
    QPlainTextEdit& pane = lowerPane_;
    const PanePlace place(pane);
    showInPane(pane, bytes);
    place.restore(pane);
    lowerStamp_ = loaded.stamp;
}

bool BodyEditor::editorBytes(std::string& bytes) const {
    const QPlainTextEdit* editor = &editor_;
    if (!editor->document()->isModified()) {
        bytes = original_;
        return true;
    }
    QString text = editor->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    rn::EncodeResult r = rn::Utf16ToCp932(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
    if (!r.ok) {
        // Input is filtered, so this is a safety net: keep the file as it is rather than lose text.
        rn::notices().ErrorBox(rn::UnstorableMessage({r.firstBad}));
        return false;
    }
    bytes = std::move(r.bytes);
    return true;
}

bool BodyEditor::saveBody(std::string_view nodeText) {
    if (unwritable_) return true;  // nothing could be typed into it, and its bytes stay as they are
    editor_.commitComposition();
    const auto path = doc_.BodyPath(nodeText);
    if (!editor_.document()->isModified()) {
        // Nothing typed: the file is written only to give its line ends the CR LF form, and never
        // over what another program put there since. Where it cannot be written (read-only media)
        // it keeps the same text with its own line ends, and nothing is lost.
        if (!path || diskHoldsOriginal_ || !rn::FileUnchanged(stamp_, *path)) return true;
        if (rn::WriteFileReplacing(*path, original_)) {
            stamp_ = rn::StampFile(*path, original_);
            diskHoldsOriginal_ = true;
        }
        return true;
    }
    std::string bytes;
    if (!editorBytes(bytes)) return false;
    if (path && !rn::FileUnchanged(stamp_, *path) && !rn::notices().AskYesNo(rn::ChangedOnDiskQuestion(*path)))
        return false;
    if (!doc_.SaveBody(nodeText, bytes)) return false;
    stamp_ = rn::StampFile(*path, bytes);
    diskHoldsOriginal_ = true;
    // What is on disk now is what the editor holds: an unedited rewrite of it is byte-exact.
    original_ = std::move(bytes);
    editor_.document()->setModified(false);
    // Written from the editor's text, the file now stands for exactly that text.
    matches_ = true;
    path_ = *path;
    if (*path == lowerPath_) reloadLowerPaneFromDisk({});
    return true;
}

bool BodyEditor::saveCurrentBody() {
    if (!nodeText_.empty() && state_ == rn::kEditing) return saveBody(nodeText_);
    return true;
}

void BodyEditor::nodeRenamed(const std::string& from, const std::string& to) {
    if (nodeText_ == from) nodeText_ = to;
}

void BodyEditor::keepSelectionOnEditedNode() {
    const std::string edited = nodeText_;
    auto reselect = [this, edited] {
        rn::Node* node = doc_.outline.At(doc_.FindNodeByText(edited));
        if (!node || nodeText_ != edited) return;
        selectQuietly(selection_, node);
    };
    reselect();
    // A mouse press selects the clicked row after the selection change has run: take it back then.
    QTimer::singleShot(0, this, reselect);
}

void BodyEditor::showNodePosition(rn::Node* node) {
    const int level = rn::Outline::LevelOf(node);
    panels_.setText(0, QStringLiteral("No.%1/%2階層/%3子")
                           .arg(static_cast<qlonglong>(settings_.Start.NodeNo) + 1)
                           .arg(level + 1)
                           .arg(node->ChildCount()));
}

void BodyEditor::onCurrentNodeChanged(rn::Node* node) {
    if (doc_.loadingOutline || selection_.quiet() || !node) return;
    rn::ClearStatus();
    // A body that could not be written stays in the editor, still under its own name: loading the
    // next one would lose the edits.
    if (!saveCurrentBody()) {
        keepSelectionOnEditedNode();
        return;
    }
    nodeText_ = node->text;
    state_ = rn::kNoBody;
    if (trackNodeNumber_) settings_.Start.NodeNo = doc_.outline.IndexOf(node);
    showNodePosition(node);
    // The caret of the node left behind means nothing here.
    caretPanel_->clear();
    if (node->IsText()) {
        editor_.show();
        state_ = rn::kEditing;
        if (loadBody(node->text)) {
            applyTabStops(editor_, settings_.Memo.TabSize);
        } else {
            // Nothing of the previous node may stay in an editor that could be written to this node.
            clearEditor();
            editor_.hide();
            state_ = rn::kNoBody;
        }
    } else {
        editor_.hide();
    }
    editor_.setReadOnly(node->IsText() && unwritable_);
    if (rn::IsInTrash(node)) {
        state_ = rn::kTrashView;
        rn::ShowStatus("ゴミです");
        editor_.setReadOnly(true);
    }
}

QString BodyEditor::lockText(bool capsLock, bool numLock) {
    QString text = capsLock ? QStringLiteral("C ") : QStringLiteral("  ");
    if (numLock) text += QStringLiteral(" Num");
    return text;
}

void BodyEditor::onEditorKeyUp() {
    rn::ClearStatus();
    caretPanel_->showCaret();
    rn::LockKeyState keys = rn::CurrentLockKeys();
    panels_.setText(3, lockText(keys.capsLock, keys.numLock));
    // A character refused by this key (or by the input method's commit just before it) must still be
    // readable after the release; it has beeped already.
    if (auto refused = editor_.pendingRefusal()) rn::notices().SetStatusText(" " + toUtf8(*refused));
}

void BodyEditor::clearEditor() {
    editor_.clear();
    editor_.document()->setModified(false);
    original_.clear();
    path_.clear();
    unwritable_ = false;
    stamp_ = {};
    diskHoldsOriginal_ = false;
}

void BodyEditor::closeLowerPane() {
    lowerPane_.hide();
    lowerPane_.setExtraSelections({});  // a result list's current line
    lowerMode_ = LowerPaneMode::Hidden;
    if (lowerPath_.empty()) return;
    lowerPath_.clear();
    watchShownFiles();
}

void BodyEditor::closeSearchResults() {
    if (lowerMode_ == LowerPaneMode::Results) closeLowerPane();
}

void BodyEditor::showResults() {
    if (!lowerPath_.empty()) {
        lowerPath_.clear();
        watchShownFiles();
    }
    lowerMode_ = LowerPaneMode::Results;
    lowerPane_.show();
}

void BodyEditor::toggleTabInput() {
    rn::ClearStatus();
    settings_.Memo.TabIn = !settings_.Memo.TabIn;
    if (applySettings) applySettings();
    rn::ShowStatus(settings_.Memo.TabIn ? "Tab入力できます" : "Tab入力解除しました");
}

void BodyEditor::toggleWordWrap() {
    rn::ClearStatus();
    settings_.Memo.WordWrap = !settings_.Memo.WordWrap;
    if (applySettings) applySettings();
}

void BodyEditor::toggleSplitView() {
    rn::ClearStatus();
    if (lowerMode_ != LowerPaneMode::Hidden) {
        closeLowerPane();
        rn::ShowStatus("メモ画面分割を解除しました");
    } else if (state_ == rn::kEditing) {
        // The lower pane shows the body as saved: edits since the selection are not in it.
        if (!readIntoLowerPane(nodeText_)) return;
        watchShownFiles();
        lowerMode_ = LowerPaneMode::Split;
        lowerPane_.show();
        rn::ShowStatus("メモ画面を分割しました");
    } else {
        rn::ShowStatus("2画面分割するには､テキストノードを指定して下さい");
    }
}

}  // namespace rn::gui

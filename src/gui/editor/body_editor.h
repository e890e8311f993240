// SPDX-License-Identifier: MIT
// The body editor: what happens when the selected node changes, how a body gets into the editor and
// back to its file, the caret and lock-key panels, the tab and wrap toggles and the split screen.
#pragma once

#include <QObject>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

#include <functional>

#include "core/outline/document.h"
#include "core/settings/settings.h"
#include "core/storage/file_stamp.h"

class QFileSystemWatcher;
class QPlainTextEdit;
class QTextDocument;

namespace rn {
struct Node;
}

namespace rn::gui {

class BodyTextEdit;
class CaretPanel;
class OutlineSelection;
class StatusPanels;

// What the lower pane shows.
enum class LowerPaneMode { Hidden, Split, Results };

// Largest body the editor takes, in bytes of the file.
inline constexpr std::size_t kBodyLimit = std::size_t(64) << 20;
// Bodies left recently are kept as documents, so that going back to one whose file has not changed
// needs no decoding and no rebuilding: at most this many, of at most this many bytes together.
inline constexpr std::size_t kKeptBodies = 3;
inline constexpr std::size_t kKeptBodyBytes = std::size_t(8) << 20;

class BodyEditor : public QObject {
    Q_OBJECT
public:
    // `editor` is the body editor, `lowerPane` the pane below it; `panels` gets the node position
    // (panel 0), the caret (2) and the lock keys (3).
    BodyEditor(rn::Document& doc, rn::Settings& settings, OutlineSelection& selection, BodyTextEdit& editor,
               BodyTextEdit& lowerPane, StatusPanels& panels, QObject* parent);

    // Applies the settings to every pane (the tab and wrap toggles change them).
    std::function<void()> applySettings;

    BodyTextEdit& editor() const { return editor_; }
    BodyTextEdit& lowerPane() const { return lowerPane_; }
    // The node the editor is on (CP932; empty for none) and whether it holds that node's body.
    const std::string& nodeText() const { return nodeText_; }
    rn::EditorState state() const { return state_; }
    // The editor leaves its node without writing anything (its body was just written, or the node is
    // gone); the next selection change loads the next one.
    void forgetNode() { nodeText_.clear(); }
    // The node being edited was renamed: the next selection change writes the text under its new name.
    void nodeRenamed(const std::string& from, const std::string& to);
    // Whether the selection change keeps the selected node's number in the settings (after start-up).
    void setTrackNodeNumber(bool on) { trackNodeNumber_ = on; }

    // The selection change.
    void onCurrentNodeChanged(rn::Node* node);
    // Writes the editor's body to its file when a text node is being edited. False when that write
    // failed (after its error box), or when the user would not overwrite a file that another program
    // changed: the edits are still only in the editor.
    bool saveCurrentBody();
    // Reads a body into the editor (and into the lower pane when it follows the editor).
    bool loadBody(std::string_view nodeText);
    // Writes the editor's text to a body file.
    bool saveBody(std::string_view nodeText);
    // The editor's text as body file bytes: the loaded bytes when nothing was edited, else the text
    // encoded with CR LF line ends. False (after an error box) when the text cannot be stored.
    bool editorBytes(std::string& bytes) const;

    // Empties the editor and forgets the loaded body.
    void clearEditor();
    // Reads the body shown again when another program changed its file and nothing has been typed,
    // and the split view's lower pane whenever its file changed (nothing is typed there).
    void checkBodyOnDisk();

    // Hides the lower pane, whether it shows the split view or search results.
    void closeLowerPane();
    // Ends a search result list (every command that changes something does it first).
    void closeSearchResults();
    LowerPaneMode lowerPaneMode() const { return lowerMode_; }
    // The lower pane holds a search result list now.
    void showResults();
    // Every key release in the editor: caret and lock-key panels.
    void onEditorKeyUp();
    // The editor toggles of the tool bar.
    void toggleTabInput();
    void toggleWordWrap();
    void toggleSplitView();

    // The caret panel (status panel 2).
    CaretPanel& caretPanel() { return *caretPanel_; }
    // Lock-key panel text.
    static QString lockText(bool capsLock, bool numLock);

    // Number of documents kept for a quick return (for tests).
    std::size_t keptCount() const { return kept_.size(); }

private:
    struct KeptBody {
        std::string path;   // the body file
        std::string bytes;  // its bytes (CR LF line ends) that the document's text stands for
        QTextDocument* doc = nullptr;
    };

    // Reads a body file as the editors hold it (line ends made CR LF). False after an error box.
    // `undefinedAt`: where the first byte without a character is, or npos.
    // `loaded`: the file's stamp and whether it holds exactly `bytes` (its line ends were CR LF).
    struct LoadedFile {
        rn::FileStamp stamp;
        bool holdsBytes = false;
        std::size_t undefinedAt = std::string::npos;
    };
    bool readBody(std::string_view nodeText, std::string& path, std::string& bytes, LoadedFile* loaded = nullptr);
    bool readBodyFile(const std::string& path, std::string& bytes, LoadedFile* loaded);
    // Reads a body file into the split view's lower pane, which then follows that file. False after
    // an error box.
    bool readIntoLowerPane(std::string_view nodeText);
    // Puts body bytes into a pane that is only read.
    static void showInPane(QPlainTextEdit& pane, std::string_view bytes);
    // Puts a body into the editor: a kept document of the same bytes, else a new one.
    void showInEditor(const std::string& path, std::string bytes);
    // The editor's document has been replaced: keep it while it still stands for its file's bytes.
    void keepOrDrop(QTextDocument* doc);
    void showNodePosition(rn::Node* node);
    // After a failed write: the outline shows the node whose text is still in the editor.
    void keepSelectionOnEditedNode();
    // Follows the files of the bodies shown in the editor and the split view, for checkBodyOnDisk.
    void watchShownFiles();
    void watchAgain(const std::string& path);
    // checkBodyOnDisk for each pane. The editor's returns the path of its file when reading it
    // failed (after an error box), else nothing.
    std::string reloadEditorFromDisk();
    void reloadLowerPaneFromDisk(const std::string& unreadable);

    rn::Document& doc_;
    rn::Settings& settings_;
    OutlineSelection& selection_;
    BodyTextEdit& editor_;
    BodyTextEdit& lowerPane_;
    StatusPanels& panels_;
    CaretPanel* caretPanel_ = nullptr;
    std::string nodeText_;                 // CP932 text of the node the editor is on
    rn::EditorState state_ = rn::kNoBody;  // whether the editor holds that node's body
    LowerPaneMode lowerMode_ = LowerPaneMode::Hidden;
    bool trackNodeNumber_ = false;
    std::string original_;            // the body as loaded (CR LF line ends), kept while it is unedited
    std::string path_;                // the file the editor's document was loaded from or last written to
    bool matches_ = false;            // the document's text is still exactly `original_` decoded
    bool unwritable_ = false;         // the body holds bytes without a character: shown read-only, never written
    rn::FileStamp stamp_;             // the body file as loaded or last written
    rn::FileStamp unreadableStamp_;   // the body file as it was when reading it again failed
    bool diskHoldsOriginal_ = false;  // that file holds exactly `original_`
    QFileSystemWatcher* watcher_ = nullptr;
    std::string editorWatched_;  // the file of the body last loaded into the editor
    std::string lowerPath_;      // the file the split view's lower pane shows, while it is split
    rn::FileStamp lowerStamp_;   // that file as the pane last read it
    std::deque<KeptBody> kept_;  // most recently left first
};

}  // namespace rn::gui

// The body editor: what happens when the selected node changes, how a body gets into the editor and
// back to its file, the caret and lock-key panels, the tab and wrap toggles and the split screen.
#pragma once

#include <QObject>
#include <cstddef>
#include <string>
#include <string_view>

class QPlainTextEdit;

namespace rn {
struct Node;
}

namespace rn::gui {

class TFormTree;

// Largest body the editor takes, in bytes of the file.
inline constexpr std::size_t kBodyLimit = std::size_t(64) << 20;

class BodyEditor : public QObject {
    Q_OBJECT
  public:
    explicit BodyEditor(TFormTree& window);

    // The selection change.
    void TreeView1Change(rn::Node* node);
    // Writes the editor's body to its file when a text node is being edited. False when that write
    // failed (after its error box): the edits are still only in the editor.
    bool SaveCurrentBody();
    // Reads a body into the editor (and into the lower pane when it follows the editor).
    bool LoadBody(std::string_view nodeText);
    // Writes the editor's text to a body file.
    bool SaveBody(std::string_view nodeText);
    // The editor's text as body file bytes: the loaded bytes when nothing was edited, else the text
    // encoded with CR LF line ends. False (after an error box) when the text cannot be stored.
    bool EditorBytes(std::string& bytes) const;

    // Empties the editor and forgets the loaded body.
    void ClearEditor();

    void SearchOff();
    void MemoMKeyUp();
    void ToolButtonTABClick();
    void ToolButtonCRClick();
    void ToolButtonSprClick();

    // Caret panel text for the editor's caret: "3行/12".
    static QString CaretText(const QPlainTextEdit& edit);
    // Lock-key panel text.
    static QString LockText(bool capsLock, bool numLock);

  private:
    // Reads a body file into an editor. False after an error box.
    bool ReadInto(std::string_view nodeText, QPlainTextEdit& edit, std::string* original);
    void ShowNodePosition(rn::Node* node);

    TFormTree& w_;
    std::string original_;  // the body as loaded (CR LF line ends), kept while it is unedited
};

}  // namespace rn::gui

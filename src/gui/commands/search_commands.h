// SPDX-License-Identifier: MIT
// The node search: a new search over every body of the open document, a narrowing search over the
// nodes a shown result list names, the list in the lower pane, and the jump from a list line to its
// occurrence in the editor.
#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAbstractItemModel;

namespace rn {
class Document;
}

namespace rn::gui {

class BodyEditor;
class NodeNameDialog;
class OutlineSelection;

class SearchCommands : public QObject {
    Q_OBJECT
public:
    // `outlineModel` tells when the document is replaced; `setMessage` shows how far a long search got.
    SearchCommands(rn::Document& doc, OutlineSelection& selection, BodyEditor& editor, NodeNameDialog& dialog,
                   QAbstractItemModel& outlineModel, std::function<void(const QString&)> setMessage, QObject* parent);

    // The command of "ノード検索" and "検索": a narrowing search while a result list is shown, else a
    // new one.
    void runSearch();
    // A click (or Enter) on line `listLine` of the lower pane: selects the listed node and highlights
    // the key on the listed line of its body. Lines that are no result lines do nothing.
    void jumpToResult(int listLine);

    // The key of the list shown (CP932).
    const std::string& listedKey() const { return key_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The search proper, once the key is known: a new search, or a narrowing one in the nodes
    // `narrowTo` (absolute indexes, in list order).
    void searchAndShow(const std::string& key, const std::optional<std::vector<int>>& narrowTo);
    // Selects the first occurrence of the key on body line `lineNumber` (1-based) in the editor.
    void highlightKeyOnLine(int lineNumber);
    // The current line of a result list (kept to its result lines), marked across the pane.
    void setCurrentListLine(int line);
    void showCurrentListLine();
    // Up, Down, PageUp, PageDown, Home and End in a result list; false for other keys.
    bool moveInList(int key);

    rn::Document& doc_;
    OutlineSelection& selection_;
    BodyEditor& editor_;
    NodeNameDialog& dialog_;
    std::function<void(const QString&)> setMessage_;
    std::string key_;
    bool outlineReplaced_ = false;  // the document was replaced while a search ran
};

}  // namespace rn::gui

// SPDX-License-Identifier: MIT
// The "Tree履歴" sub-menu: it mirrors the Tree history list, and choosing an item opens that file.
#pragma once

#include <QObject>
#include <string>

class QMenu;

namespace rn {
class Document;
class TreeHistory;
struct Settings;
}  // namespace rn

namespace rn::gui {

class BodyEditor;
class TreeFileCommands;

class HistoryMenu : public QObject {
    Q_OBJECT
public:
    // Shows `history` in `menu`; `settings` gives its length.
    HistoryMenu(rn::TreeHistory& history, const rn::Settings& settings, rn::Document& doc, BodyEditor& editor,
                TreeFileCommands& files, QMenu* menu);

    QMenu* menu() const { return menu_; }
    // Puts the list's items into the menu again.
    void rebuild();
    // A completed open puts its path at the top.
    void add(const std::string& path);
    // The click of an item. The caption is copied: the item itself goes when the list is rebuilt.
    void openFromHistory(std::string caption);

private:
    rn::TreeHistory& history_;
    const rn::Settings& settings_;
    rn::Document& doc_;
    BodyEditor& editor_;
    TreeFileCommands& files_;
    QMenu* menu_;
};

}  // namespace rn::gui

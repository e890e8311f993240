// The "Tree履歴" sub-menu: it mirrors the Tree history list, and choosing an item opens that file.
#pragma once

#include <QObject>
#include <string>

class QMenu;

namespace rn::gui {

class TFormTree;

class HistoryMenu : public QObject {
    Q_OBJECT
public:
    HistoryMenu(TFormTree& window, QMenu* menu);

    QMenu* MenuFTR() const { return menu_; }
    // Puts the list's items into the menu again.
    void Rebuild();
    // A completed open puts its path at the top.
    void Add(const std::string& path);
    // The click of an item. The caption is copied: the item itself goes when the list is rebuilt.
    void MenuFTRNewClick(std::string caption);

private:
    TFormTree& w_;
    QMenu* menu_;
};

}  // namespace rn::gui

// The "Tree履歴" sub-menu: it mirrors the Tree history list, and choosing an item opens that file.
#pragma once

#include <QObject>
#include <string>

class QMenu;

namespace rn::gui {

class MainWindow;

class HistoryMenu : public QObject {
    Q_OBJECT
public:
    HistoryMenu(MainWindow& window, QMenu* menu);

    QMenu* menu() const { return menu_; }
    // Puts the list's items into the menu again.
    void rebuild();
    // A completed open puts its path at the top.
    void add(const std::string& path);
    // The click of an item. The caption is copied: the item itself goes when the list is rebuilt.
    void openFromHistory(std::string caption);

private:
    MainWindow& window_;
    QMenu* menu_;
};

}  // namespace rn::gui

// TreeView1: the outline view. Plain Qt tree view with the program's look; the commands that react
// to its keys, drags and selection live elsewhere and connect to its signals.
#pragma once

#include <QTreeView>

namespace rn::gui {

class OutlineView : public QTreeView {
    Q_OBJECT
  public:
    explicit OutlineView(QWidget* parent = nullptr);

    // Dotted lines between nodes and the [+]/[-] expand buttons, each shown or not.
    void SetShowLines(bool on);
    void SetShowButtons(bool on);
    bool ShowLines() const { return showLines_; }
    bool ShowButtons() const { return showButtons_; }

  signals:
    // Every key-down; set `handled` to consume the key.
    void keyDown(QKeyEvent* event, bool& handled);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;

  private:
    bool showLines_ = true;
    bool showButtons_ = true;
};

}  // namespace rn::gui

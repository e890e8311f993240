// SPDX-License-Identifier: MIT
// The four-panel status bar: node position, messages, caret position, lock keys.
#pragma once

#include <QLabel>
#include <QWidget>

namespace rn::gui {

class StatusPanels : public QWidget {
    Q_OBJECT
public:
    explicit StatusPanels(QWidget* parent = nullptr);

    QLabel* panel(int i) const { return panels_[i]; }
    void setText(int panel, const QString& text);
    QString text(int panel) const { return panels_[panel]->text(); }
    // Panels 0, 2 and 3 are 100, 50 and 55 pixels wide, or as wide as their text needs; panel 1
    // takes the rest of `totalWidth`.
    void setPanelWidths(int totalWidth);

private:
    void layOutPanels();

    QLabel* panels_[4];
    int totalWidth_ = 0;
};

}  // namespace rn::gui

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
    void setText(int panel, const QString& text) { panels_[panel]->setText(text); }
    QString text(int panel) const { return panels_[panel]->text(); }
    // Panels 0, 2 and 3 keep 100, 50 and 55 pixels; panel 1 takes the rest of `totalWidth`.
    void setPanelWidths(int totalWidth);

private:
    QLabel* panels_[4];
};

}  // namespace rn::gui

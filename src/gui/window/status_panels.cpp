// SPDX-License-Identifier: MIT
#include "gui/window/status_panels.h"

#include <QHBoxLayout>

namespace rn::gui {
namespace {

// Room between a panel's frame and its text.
constexpr int kIndent = 3;

// What a panel needs to show its whole text. (A label's own size hint never goes below the width
// it was last fixed at.)
int neededWidth(const QLabel& panel) {
    const QMargins frame = panel.contentsMargins();
    return panel.fontMetrics().horizontalAdvance(panel.text()) + frame.left() + frame.right() + 2 * kIndent;
}

}  // namespace

StatusPanels::StatusPanels(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panels_[i]->setTextFormat(Qt::PlainText);
        panels_[i]->setMinimumWidth(0);
        panels_[i]->setIndent(kIndent);
        layout->addWidget(panels_[i]);
    }
    layout->addStretch(1);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setPanelWidths(449);
}

void StatusPanels::setText(int panel, const QString& text) {
    if (panels_[panel]->text() == text) return;
    panels_[panel]->setText(text);
    if (panel != 1) layOutPanels();
}

void StatusPanels::setPanelWidths(int totalWidth) {
    totalWidth_ = totalWidth;
    layOutPanels();
}

void StatusPanels::layOutPanels() {
    // The narrow panels' widths suit a small bitmap font; with the fonts here a node number in the
    // thousands or a line number in five digits needs more, and a panel is never narrower than its text.
    static constexpr int kMinWidths[4] = {100, 0, 50, 55};
    int used = 0;
    for (int i : {0, 2, 3}) {
        const int width = qMax(kMinWidths[i], neededWidth(*panels_[i]));
        panels_[i]->setFixedWidth(width);
        used += width;
    }
    panels_[1]->setFixedWidth(qMax(0, totalWidth_ - used));
}

}  // namespace rn::gui

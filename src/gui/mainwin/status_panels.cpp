#include "gui/mainwin/status_panels.h"

#include <QHBoxLayout>

namespace rn::gui {

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
        layout->addWidget(panels_[i]);
    }
    layout->addStretch(1);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setPanelWidths(449);
}

void StatusPanels::setPanelWidths(int totalWidth) {
    panels_[0]->setFixedWidth(100);
    panels_[1]->setFixedWidth(qMax(0, totalWidth - 205));
    panels_[2]->setFixedWidth(50);
    panels_[3]->setFixedWidth(55);
}

}  // namespace rn::gui

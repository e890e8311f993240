// TEnvironmentF, the settings dialog. It exists for the whole run; its pages come with the settings
// dialog work.
#pragma once

#include <QDialog>

namespace rn::gui {

class TEnvironmentF : public QDialog {
    Q_OBJECT
public:
    explicit TEnvironmentF(QWidget* parent);
};

}  // namespace rn::gui

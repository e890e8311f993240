// The settings dialog. It exists for the whole run; its pages come with the settings
// dialog work.
#pragma once

#include <QDialog>

namespace rn::gui {

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit SettingsDialog(QWidget* parent);
};

}  // namespace rn::gui

#include "gui/settings/settings_dialog.h"

namespace rn::gui {

SettingsDialog::SettingsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EnvironmentF"));
    setWindowTitle(QStringLiteral("環境設定"));
    setModal(true);
}

}  // namespace rn::gui

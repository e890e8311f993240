#include "gui/settings/environment_dialog.h"

namespace rn::gui {

TEnvironmentF::TEnvironmentF(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EnvironmentF"));
    setWindowTitle(QStringLiteral("環境設定"));
    setModal(true);
}

}  // namespace rn::gui

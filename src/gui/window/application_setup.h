// SPDX-License-Identifier: MIT
// What every run of the desktop program (and every window test) sets up on the application.
#pragma once

#include <QString>

namespace rn::gui {

// The application's names and Qt's own texts in Japanese. Called once the QApplication exists.
void configureApplication();

// Loads Qt's Japanese texts (standard buttons, file and colour dialogs, context menus of text fields)
// from `directory`; false, leaving Qt's English texts, when they are not there.
bool installQtTranslations(const QString& directory);

}  // namespace rn::gui

// SPDX-License-Identifier: MIT
// The desktop program: single copy, the windows in their order, the event loop.
#pragma once

#include <QString>
#include <string>
#include <vector>

namespace rn::gui {

// The application's names and Qt's own texts in Japanese. Called once the QApplication exists.
void configureApplication();

// Loads Qt's Japanese texts (standard buttons, file and colour dialogs, context menus of text fields)
// from `directory`; false, leaving Qt's English texts, when they are not there.
bool installQtTranslations(const QString& directory);

// `arguments` are the command-line arguments for the window (options already taken out); the toolkit
// sees none of them, so a file name is never taken for one of its options.
int runDesktop(char* programName, const std::vector<std::string>& arguments);

}  // namespace rn::gui

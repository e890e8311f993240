// SPDX-License-Identifier: MIT
#include "gui/gui_notices.h"

#include "gui/qt_text.h"

namespace rn::gui {

void GuiNotices::MessageBox(const std::string& text) {
    prompts_->inform(fromUtf8(text));
}
void GuiNotices::ErrorBox(const std::string& text) {
    prompts_->reportError(fromUtf8(text));
}
void GuiNotices::WarningBox(const std::string& text) {
    prompts_->warn(fromUtf8(text));
}
void GuiNotices::AbortBox(const std::string& text) {
    prompts_->reportAbort(fromUtf8(text));
}
bool GuiNotices::AskYesNo(const std::string& text) {
    return prompts_->askYesNo(fromUtf8(text));
}
bool GuiNotices::AskYesCancel(const std::string& text) {
    return prompts_->askYesCancel(fromUtf8(text));
}
void GuiNotices::SetStatusText(const std::string& text) {
    setStatus_(fromUtf8(text));
}
void GuiNotices::Beep() {
    prompts_->beep();
}

}  // namespace rn::gui

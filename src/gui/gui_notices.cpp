#include "gui/gui_notices.h"

#include "core/text/cp932.h"

namespace rn::gui {

QString fromUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString fromCp932(std::string_view bytes) {
    std::u16string wide = rn::Cp932ToUtf16(bytes);
    return QString(reinterpret_cast<const QChar*>(wide.data()), static_cast<qsizetype>(wide.size()));
}

std::string toUtf8(const QString& s) {
    return s.toStdString();
}

void GuiNotices::MessageBox(const std::string& text) {
    prompts_->information(fromUtf8(text));
}
void GuiNotices::ErrorBox(const std::string& text) {
    prompts_->errorYes(fromUtf8(text));
}
void GuiNotices::WarningBox(const std::string& text) {
    prompts_->warningYes(fromUtf8(text));
}
void GuiNotices::AbortBox(const std::string& text) {
    prompts_->errorAbort(fromUtf8(text));
}
bool GuiNotices::AskYesNo(const std::string& text) {
    return prompts_->warningYesNo(fromUtf8(text));
}
bool GuiNotices::AskYesCancel(const std::string& text) {
    return prompts_->warningYesCancel(fromUtf8(text));
}
void GuiNotices::SetStatusText(const std::string& text) {
    setStatus_(fromUtf8(text));
}
void GuiNotices::Beep() {
    prompts_->beep();
}

}  // namespace rn::gui

// SPDX-License-Identifier: MIT
// The core's Notices realised with the prompts object and the main window's message panel.
#pragma once

#include <functional>

#include "core/notices.h"
#include "gui/prompts.h"

namespace rn::gui {

class GuiNotices : public rn::Notices {
public:
    GuiNotices(Prompts& prompts, std::function<void(const QString&)> setStatus)
        : prompts_(&prompts), setStatus_(std::move(setStatus)) {}

    void setPrompts(Prompts& prompts) { prompts_ = &prompts; }

    void MessageBox(const std::string& text) override;
    void ErrorBox(const std::string& text) override;
    void WarningBox(const std::string& text) override;
    void AbortBox(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    bool AskYesCancel(const std::string& text) override;
    void SetStatusText(const std::string& text) override;
    void Beep() override;

private:
    Prompts* prompts_;
    std::function<void(const QString&)> setStatus_;
};

}  // namespace rn::gui

// SPDX-License-Identifier: MIT
#include "core/notices.h"

#include <iostream>

#include "core/text/terminal_text.h"

namespace rn {
namespace {
Notices* g_notices = nullptr;

// Texts name nodes and paths, which may hold control characters: they are shown, never obeyed.
void Print(const std::string& text) {
    std::cerr << EscapeControls(text) << '\n';
}
}  // namespace

void StderrNotices::MessageBox(const std::string& text) {
    Print(text);
}
void StderrNotices::ErrorBox(const std::string& text) {
    Print(text);
}
void StderrNotices::AbortBox(const std::string& text) {
    Print(text);
}
bool StderrNotices::AskYesNo(const std::string& text) {
    Print(text);
    return false;
}
bool StderrNotices::AskYesCancel(const std::string& text) {
    Print(text);
    return false;
}
void StderrNotices::SetStatusText(const std::string& text) {
    if (!text.empty()) Print(text);
}

Notices& notices() {
    static StderrNotices fallback;
    return g_notices ? *g_notices : fallback;
}

Notices* SetNotices(Notices* n) {
    Notices* previous = g_notices;
    g_notices = n;
    return previous;
}

void ClearStatus() {
    notices().SetStatusText(std::string());
}

void ShowStatus(const std::string& text) {
    notices().SetStatusText(" " + text);
    notices().Beep();
}

std::string Format(std::string_view fmt, std::initializer_list<std::string_view> args) {
    std::string out;
    auto arg = args.begin();
    for (std::size_t i = 0; i < fmt.size(); ++i) {
        if (fmt[i] == '%' && i + 1 < fmt.size() && fmt[i + 1] == 's' && arg != args.end()) {
            out += *arg++;
            ++i;
        } else {
            out += fmt[i];
        }
    }
    return out;
}

}  // namespace rn

// SPDX-License-Identifier: MIT
// What the core tells the user goes through this interface: message boxes, questions, the status
// panel and the beep. The GUI realises it with Qt, tests with a recorder, headless commands with
// stderr. Every text is UTF-8.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace rn {

class Notices {
public:
    virtual ~Notices() = default;
    // Information box with a single OK button.
    virtual void MessageBox(const std::string& text) = 0;
    // Error box (title "エラー") with a single Yes button.
    virtual void ErrorBox(const std::string& text) = 0;
    // Error box (title "エラー") with a single "中止(&A)" button.
    virtual void AbortBox(const std::string& text) = 0;
    // Warning with a single Yes button.
    virtual void WarningBox(const std::string& text) { MessageBox(text); }
    // Warning with Yes and No; true for Yes. Escape answers No.
    virtual bool AskYesNo(const std::string& text) = 0;
    // Warning with Yes and Cancel; true for Yes.
    virtual bool AskYesCancel(const std::string& text) = 0;
    // Sets the message panel (status bar panel 1) to exactly this text.
    virtual void SetStatusText(const std::string& text) = 0;
    // The system's default beep.
    virtual void Beep() = 0;
};

// Notices that print on stderr and answer every question with No; used when nothing else is installed.
class StderrNotices : public Notices {
public:
    void MessageBox(const std::string& text) override;
    void ErrorBox(const std::string& text) override;
    void AbortBox(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    bool AskYesCancel(const std::string& text) override;
    void SetStatusText(const std::string& text) override;
    void Beep() override {}
};

// Notices that show nothing and answer every question with No (benchmarks, fuzzing).
class SilentNotices : public Notices {
public:
    void MessageBox(const std::string&) override {}
    void ErrorBox(const std::string&) override {}
    void AbortBox(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return false; }
    bool AskYesCancel(const std::string&) override { return false; }
    void SetStatusText(const std::string&) override {}
    void Beep() override {}
};

// The process-wide notices. Never null: falls back to StderrNotices.
Notices& notices();
// Installs `n` (nullptr restores the fallback). Returns the previous one.
Notices* SetNotices(Notices* n);

// Installs notices for the lifetime of a scope (tests, headless commands).
class ScopedNotices {
public:
    explicit ScopedNotices(Notices* n) : previous_(SetNotices(n)) {}
    ~ScopedNotices() { SetNotices(previous_); }
    ScopedNotices(const ScopedNotices&) = delete;
    ScopedNotices& operator=(const ScopedNotices&) = delete;

private:
    Notices* previous_;
};

// Empties the message panel. Every user command calls it first.
void ClearStatus();
// Sets the message panel to one blank followed by `text` and sounds the default beep.
void ShowStatus(const std::string& text);

// Replaces each "%s" in `fmt` by the next argument, in order.
std::string Format(std::string_view fmt, std::initializer_list<std::string_view> args);

}  // namespace rn

// SPDX-License-Identifier: MIT
// Shared fixtures for the core tests: a recorder for what the user would see, temporary directories
// with Japanese names and blanks, and small file helpers.
#pragma once

#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/notices.h"
#include "core/text/cp932.h"

namespace rn::test {

// Records every box, question, status text and beep; answers questions from a script.
class RecordingNotices : public Notices {
public:
    struct Entry {
        std::string kind;  // "message", "error", "warning", "abort", "yesno", "yescancel", "status", "beep"
        std::string text;
    };

    void MessageBox(const std::string& text) override { log.push_back({"message", text}); }
    void ErrorBox(const std::string& text) override { log.push_back({"error", text}); }
    void WarningBox(const std::string& text) override { log.push_back({"warning", text}); }
    void AbortBox(const std::string& text) override { log.push_back({"abort", text}); }
    bool AskYesNo(const std::string& text) override {
        log.push_back({"yesno", text});
        return NextAnswer();
    }
    bool AskYesCancel(const std::string& text) override {
        log.push_back({"yescancel", text});
        return NextAnswer();
    }
    void SetStatusText(const std::string& text) override {
        status = text;
        log.push_back({"status", text});
    }
    void Beep() override {
        ++beeps;
        log.push_back({"beep", {}});
    }

    // Texts of all entries of one kind, in order.
    std::vector<std::string> Of(const std::string& kind) const {
        std::vector<std::string> out;
        for (const auto& e : log)
            if (e.kind == kind) out.push_back(e.text);
        return out;
    }
    // Boxes of any kind (message, error, abort).
    std::vector<std::string> Boxes() const {
        std::vector<std::string> out;
        for (const auto& e : log)
            if (e.kind == "message" || e.kind == "error" || e.kind == "abort" || e.kind == "warning")
                out.push_back(e.text);
        return out;
    }
    void Clear() {
        log.clear();
        beeps = 0;
    }

    std::deque<bool> answers;  // next answers to questions; No when empty
    std::vector<Entry> log;
    std::string status;
    int beeps = 0;

private:
    bool NextAnswer() {
        if (answers.empty()) return false;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

// A fresh directory under the system temp directory whose name holds Japanese characters and a blank.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + name (name in UTF-8).
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Installs a fresh recorder for one test.
class WithNotices {
public:
    WithNotices() : scope_(&recorder) {}
    RecordingNotices recorder;

private:
    ScopedNotices scope_;
};

std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, std::string_view bytes);
bool Exists(const std::string& path);
// Every file below a directory with its bytes, to show that a run changed nothing.
std::map<std::string, std::string> Snapshot(const std::string& dir);

// Runs a program to its end with stdout and stderr captured in files of `captureDir`.
struct ProgramRun {
    int code = -1;  // exit code; -1 when it could not start or did not exit normally
    std::string out;
    std::string err;
};
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& captureDir);

// CP932 bytes of a UTF-8 literal (for building fixtures and expected bytes).
// `unit` `times` times over.
inline std::string Repeat(std::string_view unit, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += unit;
    return out;
}

inline std::string S(std::string_view utf8) {
    return Cp932Literal(utf8);
}

}  // namespace rn::test

// Prompts for benchmarks: nothing is shown, questions are answered as given, errors are collected so
// a run can fail loudly instead of timing a broken path.
#pragma once

#include <QStringList>

#include "gui/prompts.h"

namespace rn::bench {

class QuietPrompts : public rn::gui::Prompts {
public:
    explicit QuietPrompts(bool answer = false) : answer_(answer) {}
    void Information(const QString&) override {}
    bool WarningYesNo(const QString&) override { return answer_; }
    bool WarningYesCancel(const QString&) override { return answer_; }
    void WarningYes(const QString&) override {}
    void ErrorYes(const QString& text) override { errors.append(text); }
    void ErrorAbort(const QString& text) override { errors.append(text); }
    QString OpenFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString SaveFileName(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    void Beep() override {}
    QStringList errors;

private:
    bool answer_;
};

}  // namespace rn::bench

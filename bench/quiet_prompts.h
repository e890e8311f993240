// SPDX-License-Identifier: MIT
// Prompts for benchmarks: nothing is shown, questions are answered as given, errors are collected so
// a run can fail loudly instead of timing a broken path.
#pragma once

#include <QStringList>

#include "gui/prompts.h"

namespace rn::bench {

class QuietPrompts : public rn::gui::Prompts {
public:
    explicit QuietPrompts(bool answer = false) : answer_(answer) {}
    void inform(const QString&) override {}
    bool askYesNo(const QString&) override { return answer_; }
    bool askYesCancel(const QString&) override { return answer_; }
    void warn(const QString&) override {}
    void reportError(const QString& text) override { errors.append(text); }
    void reportAbort(const QString& text) override { errors.append(text); }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QColor chooseColor(const QColor&) override { return {}; }
    void beep() override {}
    QStringList errors;

private:
    bool answer_;
};

}  // namespace rn::bench

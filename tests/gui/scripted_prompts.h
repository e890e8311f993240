// SPDX-License-Identifier: MIT
// Prompts for GUI tests: every box and dialog is recorded, and questions and file dialogs take their
// answers from a script set up before the action ("set the next answer, then trigger").
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "gui/prompts.h"

namespace rn::test {

class ScriptedPrompts : public rn::gui::Prompts {
public:
    struct Call {
        QString kind;  // information, yesno, yescancel, warningyes, erroryes, errorabort, open, save, color
        QString text;  // the box text, the dialog title, or the colour chooser's initial colour
        QString filter;
        QString directory;
    };

    void inform(const QString& text) override { calls.push_back({"information", text, {}, {}}); }
    bool askYesNo(const QString& text) override {
        calls.push_back({"yesno", text, {}, {}});
        return NextBool();
    }
    bool askYesCancel(const QString& text) override {
        calls.push_back({"yescancel", text, {}, {}});
        return NextBool();
    }
    void warn(const QString& text) override { calls.push_back({"warningyes", text, {}, {}}); }
    void reportError(const QString& text) override { calls.push_back({"erroryes", text, {}, {}}); }
    void reportAbort(const QString& text) override { calls.push_back({"errorabort", text, {}, {}}); }
    QString openFileName(const QString& title, const QString& filter, const QString& directory) override {
        calls.push_back({"open", title, filter, directory});
        return NextFile();
    }
    QString saveFileName(const QString& title, const QString& filter, const QString& directory,
                         const QString& defaultSuffix = QString()) override {
        calls.push_back({"save", title, filter, directory});
        saveSuffixes << defaultSuffix;
        return NextFile();
    }
    QColor chooseColor(const QColor& initial) override {
        calls.push_back({"color", initial.name(), {}, {}});
        if (colors.empty()) return {};
        QColor c = colors.front();
        colors.pop_front();
        return c;
    }
    void beep() override { ++beeps; }

    // Texts of the calls of one kind.
    QStringList Of(const QString& kind) const {
        QStringList out;
        for (const Call& c : calls)
            if (c.kind == kind) out << c.text;
        return out;
    }
    // Boxes of every kind (not file dialogs).
    QStringList Boxes() const {
        QStringList out;
        for (const Call& c : calls)
            if (c.kind != "open" && c.kind != "save" && c.kind != "color") out << c.text;
        return out;
    }
    void Clear() {
        calls.clear();
        beeps = 0;
    }

    std::deque<bool> answers;   // Yes = true; No/Cancel when empty
    std::deque<QString> files;  // chosen paths; cancelled when empty
    std::deque<QColor> colors;  // chosen colours; cancelled when empty
    std::vector<Call> calls;
    QStringList saveSuffixes;  // default extension of each save dialog
    int beeps = 0;

private:
    bool NextBool() {
        if (answers.empty()) return false;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    QString NextFile() {
        if (files.empty()) return {};
        QString f = files.front();
        files.pop_front();
        return f;
    }
};

}  // namespace rn::test

// SPDX-License-Identifier: MIT
// Printing the selected text node: the program hands the body file to the print program the user
// chose in the settings and leaves the printing to it.
#pragma once

#include <QString>
#include <QStringList>

namespace rn {
class Document;
struct Settings;
}  // namespace rn

namespace rn::gui {

class BodyEditor;
class OutlineSelection;
class Prompts;

class PrintCommands {
public:
    PrintCommands(rn::Document& doc, const rn::Settings& settings, OutlineSelection& selection, BodyEditor& editor,
                  Prompts& prompts)
        : doc_(doc), settings_(settings), selection_(selection), editor_(editor), prompts_(prompts) {}

    // "ノード印刷": checks, writes the outline and the body being edited, then starts the print program
    // with "/p" and the body file's full path.
    void printNode();

    // The command line as the user sees it in messages: program, " /p ", body path, unquoted.
    static QString commandLine(const QString& program, const QString& bodyPath);

private:
    rn::Document& doc_;
    const rn::Settings& settings_;
    OutlineSelection& selection_;
    BodyEditor& editor_;
    Prompts& prompts_;
};

}  // namespace rn::gui

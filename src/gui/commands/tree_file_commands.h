// SPDX-License-Identifier: MIT
// The open and new commands for Tree files.
#pragma once

#include <QString>
#include <string>

namespace rn {
class Document;
}

namespace rn::gui {

class BodyEditor;
class OutlineSelection;
class Prompts;

class TreeFileCommands {
public:
    // `dialogDirectory` is where the open and save dialogs start (the document keeps it current).
    TreeFileCommands(rn::Document& doc, OutlineSelection& selection, BodyEditor& editor, Prompts& prompts,
                     const QString& dialogDirectory)
        : doc_(doc), selection_(selection), editor_(editor), prompts_(prompts), dialogDirectory_(dialogDirectory) {}

    void openTreeFile();
    void newTreeFile();
    // Opens a Tree file and shows the message for the result (also the history command's open).
    void openAndReport(const std::string& path);
    // Steps shared by the commands that replace the document: end a search, write the body and the
    // outline. False when the body could not be written: the command stops rather than lose it.
    bool prepare();
    // Reads the open Tree file again (another program changed it), after writing the body being
    // edited; the node being edited is selected again when it is still there.
    void reloadTreeFile();

private:
    rn::Document& doc_;
    OutlineSelection& selection_;
    BodyEditor& editor_;
    Prompts& prompts_;
    const QString& dialogDirectory_;
};

}  // namespace rn::gui

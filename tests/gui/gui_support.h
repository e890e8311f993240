// SPDX-License-Identifier: MIT
// A main window in a temporary program directory, with scripted prompts, for the GUI tests.
#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gui/editor/body_editor.h"
#include "gui/qt_text.h"
#include "gui/window/main_window.h"
#include "scripted_prompts.h"
#include "test_support.h"

namespace rn::test {

// A QString from a UTF-8 literal.
inline QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

class MainWindowFixture {
public:
    explicit MainWindowFixture(const QStringList& arguments = {}, bool show = false);
    ~MainWindowFixture();

    rn::gui::MainWindow& w() { return *window; }
    rn::Document& doc() { return window->doc(); }
    // Status panel texts.
    QString Message() const;
    QString Panel(int i) const;
    // Native path of a file in the temporary directory (UTF-8 name).
    std::string Path(const std::string& name) const { return dir / name; }
    QString QPath(const std::string& name) const { return QString::fromStdString(dir / name); }
    // Writes a CP932 Tree file (given in UTF-8) and opens it through the open command.
    void OpenDocument(const std::string& fileName, const std::string& utf8Lines);
    // Selects the node at an absolute index through the outline view.
    void Select(int absIndex);
    // Triggers the named action (menu item or tool button).
    void Trigger(const char* actionName);
    // Text of the node at an absolute index, in UTF-8.
    std::string NodeText(int absIndex);
    // Ends the program (the window's destruction runs the exit sequence) and starts it again on the
    // same program directory with fresh prompts and these command-line arguments. The first
    // activation is left to the caller.
    void Restart(const QStringList& arguments = {}, bool show = false);

    // Creates the window on `dir` (and shows it).
    void Start(const QStringList& arguments, bool show);

    TempDir dir;  // the program directory, and room for documents
    ScriptedPrompts prompts;
    std::unique_ptr<rn::gui::MainWindow> window;
};

// Points XDG_DATA_HOME (where rescue files go) at a directory of the test for as long as it lives.
class DataHome {
public:
    DataHome() { ::setenv("XDG_DATA_HOME", dir.path().c_str(), 1); }
    ~DataHome() { ::unsetenv("XDG_DATA_HOME"); }
    std::string Rescue() const { return dir / "ramblenote/rescue"; }
    std::vector<std::string> RescueFiles() const {
        std::vector<std::string> files;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(Rescue(), ec))
            files.push_back(e.path().string());
        return files;
    }
    TempDir dir;
};

// A point on the label of the node at an absolute index, in the outline view's viewport (where a
// click selects it and a drop makes the dragged node its last child).
QPoint LabelPoint(MainWindowFixture& f, int absIndex);

}  // namespace rn::test

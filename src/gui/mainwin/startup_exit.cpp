#include "gui/mainwin/startup_exit.h"

#include <QSplitter>

#include "core/settings/history.h"
#include "core/settings/resdir.h"
#include "core/tree/files.h"
#include "core/tree/notices.h"
#include "core/tree/program.h"
#include "gui/mainwin/appearance.h"
#include "gui/mainwin/history_menu.h"
#include "gui/mainwin/main_window.h"
#include "gui/mainwin/outline_view.h"

namespace rn::gui {

rn::WindowGeometry StartupExit::CurrentGeometry() const {
    rn::WindowGeometry g;
    // A maximised or minimised window is remembered by the place it returns to.
    const bool normal = !w_.isMaximized() && !w_.isMinimized();
    const QRect r = normal ? QRect(w_.pos(), w_.size()) : w_.normalGeometry();
    g.Top = r.top();
    g.Left = r.left();
    g.Width = r.width();
    g.Height = r.height();
    const QList<int> sizes = w_.Splitter1()->sizes();
    g.PanelTreeWidth = sizes.isEmpty() ? w_.PanelTree()->width() : sizes.first();
    return g;
}

void StartupExit::ApplyGeometry(const rn::WindowGeometry& g) {
    // A key missing from the file reads as -1: that value keeps the built-in layout.
    if (g.Left >= 0 && g.Top >= 0) w_.move(g.Left, g.Top);
    if (g.Width > 0 && g.Height > 0) w_.resize(g.Width, g.Height);
    if (g.PanelTreeWidth > 0) w_.SetTreePanelWidth(g.PanelTreeWidth);
}

void StartupExit::FirstActivation() {
    AppState& s = w_.state();
    rn::Document& doc = w_.doc();
    w_.SetStatusPanelWidths();
    s.dialogDirectory = FromUtf8(rn::Program().directory);
    // Without a settings file the built-in layout and the record's zero values stay.
    std::string startFile;
    if (rn::FileExists(s.settingsFile)) {
        ApplyGeometry(rn::ReadSettings(s.settingsFile, s.settings));
        doc.treeFile = s.settings.Start.TreeFileName;
        startFile = s.settings.Start.TreeFileName;
        ApplySettings(w_);
    }
    s.history.LoadTreeHistory(rn::HistoryFilePath(), s.settings.Ramblenote.TreeHistory, s.settings.Start.TreeFileName);
    w_.historyMenu().Rebuild();

    // A first argument that names an existing file takes the place of the remembered one.
    if (!s.arguments.isEmpty()) {
        const std::string argument = ToUtf8(s.arguments.first());
        if (rn::FileExists(argument)) startFile = argument;
    }
    OpenStartFile(startFile);
    s.StartupDone = true;
}

void StartupExit::OpenStartFile(const std::string& startFile) {
    AppState& s = w_.state();
    rn::Document& doc = w_.doc();
    if (startFile == rn::kNoTreeFile) {
        doc.treeFile = rn::kNoTreeFile;
        rn::ShowStatus("Rnote ファイルを開いて下さい");
        return;
    }
    if (!startFile.empty() && rn::FileExists(startFile)) {
        doc.treeFile = rn::kNoTreeFile;  // only a load makes a document current
        const int result = doc.OpenTreeFile(startFile);
        if (!doc.IsOpen()) {
            doc.treeFile = rn::kNoTreeFile;
            switch (result) {
                case rn::kOpenBadExtension:
                    rn::ShowStatus("Treeﾌｧｲﾙ[" + startFile + "]は .Rnote/.Tree ファイルではないため開きませんでした｡");
                    break;
                case rn::kOpenConversionDeclined:
                    rn::ShowStatus("Treeﾌｧｲﾙ[" + startFile + "]はコンバートしなかったため開きませんでした｡");
                    break;
                default:
                    rn::ShowStatus("Treeﾌｧｲﾙ[" + startFile + "]を開けませんでした｡");
                    break;
            }
            return;
        }
        rn::ShowStatus(doc.treeFile + " を開きました");
        const int nodeNo = s.settings.Start.NodeNo;
        if (s.settings.Start.DocMovement && nodeNo >= 0 && nodeNo < doc.outline.Count()) {
            w_.FocusOutline();
            w_.SelectNode(doc.outline.At(nodeNo));
        }
        return;
    }
    doc.treeFile = rn::kNoTreeFile;
    rn::ShowStatus("前回開いた Rnote ファイルがありません");
}

void StartupExit::Exit() {
    AppState& s = w_.state();
    rn::Document& doc = w_.doc();
    w_.SaveCurrentBody();
    doc.SaveTreeFile();
    s.history.SaveTreeHistory(rn::HistoryFilePath());
    rn::WriteSettings(s.settingsFile, s.settings, CurrentGeometry(), doc.treeFile);
    rn::ReleaseScratchLists();
}

}  // namespace rn::gui

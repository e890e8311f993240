#include "gui/mainwin/startup_exit.h"

#include <QSplitter>

#include "core/notices.h"
#include "core/program.h"
#include "core/settings/history.h"
#include "core/settings/resdir.h"
#include "core/settings/sample_guide.h"
#include "core/storage/files.h"
#include "core/storage/rescue_file.h"
#include "core/text/cp932.h"
#include "gui/mainwin/appearance.h"
#include "gui/mainwin/body_editor.h"
#include "gui/mainwin/history_menu.h"
#include "gui/mainwin/main_window.h"
#include "gui/mainwin/outline_view.h"
#include "gui/mainwin/window_placement.h"

namespace rn::gui {

rn::WindowGeometry StartupExit::currentGeometry() const {
    rn::WindowGeometry g;
    // Top and Left are the frame's corner, Width and Height the client area. A maximised or
    // minimised window is remembered by the place it returns to.
    QRect r(window_.pos(), window_.size());
    if (window_.isMaximized() || window_.isMinimized() || window_.isFullScreen())
        r = QRect(window_.normalFramePosition(), window_.normalGeometry().size());
    g.Top = r.top();
    g.Left = r.left();
    g.Width = r.width();
    g.Height = r.height();
    const QList<int> sizes = window_.mainSplitter()->sizes();
    g.PanelTreeWidth = sizes.isEmpty() ? window_.outlinePanel()->width() : sizes.first();
    return g;
}

void StartupExit::applyGeometry(const rn::WindowGeometry& g) {
    // Missing keys read as -1: they keep the built-in size or place. Whatever was stored is fitted to
    // the screens connected now.
    const StartPlacement p =
        fitToConnectedScreens(g.Left, g.Top, g.Width, g.Height, kMainWindowFramePos, window_.size());
    window_.resize(p.size);
    moveFrameTo(window_, p.framePos);
    if (g.PanelTreeWidth > 0) window_.setOutlinePanelWidth(fitPanelWidth(g.PanelTreeWidth, p.size.width()));
}

void StartupExit::readSettingsFile() {
    if (settingsRead_) return;
    settingsRead_ = true;
    AppState& s = window_.state();
    settingsFound_ = rn::FileExists(s.settingsFile);
    if (settingsFound_) applyGeometry(rn::ReadSettings(s.settingsFile, s.settings));
}

void StartupExit::runStartup() {
    AppState& s = window_.state();
    rn::Document& doc = window_.doc();
    window_.setStatusPanelWidths();
    s.dialogDirectory = fromUtf8(rn::Program().directory);
    // Without a settings file the built-in layout and the record's zero values stay.
    std::string startFile;
    readSettingsFile();
    if (settingsFound_) {
        doc.treeFile = s.settings.Start.TreeFileName;
        startFile = s.settings.Start.TreeFileName;
        applySettings(window_);
    }
    s.history.LoadTreeHistory(rn::HistoryFilePath(), s.settings.Ramblenote.TreeHistory, s.settings.Start.TreeFileName);
    window_.historyMenu().rebuild();

    // A first argument that names an existing file takes the place of the remembered one.
    const std::string argument = s.arguments.isEmpty() ? std::string() : toUtf8(s.arguments.first());
    if (rn::FileExists(argument)) {
        startFile = argument;
    } else if (s.firstStart) {
        // The very first start shows the guide, copied to where the user may change it.
        const std::string guide = rn::PlaceDeliveredSampleGuide();
        if (!guide.empty()) startFile = guide;
    }
    openStartFile(startFile);
    s.startupDone = true;
}

void StartupExit::openStartFile(const std::string& startFile) {
    AppState& s = window_.state();
    rn::Document& doc = window_.doc();
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
        rn::ShowStatus(rn::OpenResultMessage(rn::kOpenDone, doc, startFile));
        const int nodeNo = s.settings.Start.NodeNo;
        if (s.settings.Start.DocMovement && nodeNo >= 0 && nodeNo < doc.outline.Count()) {
            window_.FocusOutline();
            window_.SelectNode(doc.outline.At(nodeNo));
        }
        return;
    }
    doc.treeFile = rn::kNoTreeFile;
    rn::ShowStatus("前回開いた Rnote ファイルがありません");
}

bool StartupExit::rescueEditedBody(bool mayStay) {
    const std::string node = rn::Cp932ToUtf8(window_.doc().editorNodeText);
    std::string bytes, reason, path;
    if (window_.bodyEditor().editorBytes(bytes))
        path = rn::WriteRescueFile(rn::RescueDirectory(), window_.doc().editorNodeText, bytes, reason);
    if (!path.empty()) {
        rn::notices().MessageBox("ノード \"" + node +
                                 "\" の本文を保存できなかったため、次のファイルに保存しました。\n" + path);
        return true;
    }
    const std::string lost = "ノード \"" + node + "\" の本文を保存できません。" + reason;
    if (mayStay) return rn::notices().AskYesNo(lost + "\n保存せずに終了しますか？");
    // The program ends whatever happens: at least the user learns what was not kept.
    rn::notices().ErrorBox(lost);
    return true;
}

bool StartupExit::runExit(bool mayStay) {
    AppState& s = window_.state();
    rn::Document& doc = window_.doc();
    if (!window_.saveCurrentBody() && !rescueEditedBody(mayStay)) return false;
    doc.SaveTreeFile();
    s.history.SaveTreeHistory(rn::HistoryFilePath());
    rn::WriteSettings(s.settingsFile, s.settings, currentGeometry(), doc.treeFile);
    return true;
}

}  // namespace rn::gui

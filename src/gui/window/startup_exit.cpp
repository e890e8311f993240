// SPDX-License-Identifier: MIT
#include "gui/window/startup_exit.h"

#include "core/notices.h"
#include "core/settings/history.h"
#include "core/settings/program.h"
#include "core/settings/resdir.h"
#include "core/settings/sample_guide.h"
#include "core/storage/files.h"
#include "core/storage/rescue_file.h"
#include "core/text/cp932.h"
#include "gui/commands/history_menu.h"
#include "gui/editor/body_editor.h"
#include "gui/outline/outline_selection.h"
#include "gui/outline/outline_view.h"
#include "gui/qt_text.h"
#include "gui/window/app_state.h"
#include "gui/window/appearance.h"

namespace rn::gui {

void StartupExit::readSettingsFile() {
    if (settingsRead_) return;
    settingsRead_ = true;
    AppState& s = state_;
    settingsFound_ = rn::FileExists(s.settingsFile);
    if (settingsFound_) frame_.applyGeometry(rn::ReadSettings(s.settingsFile, s.settings));
}

void StartupExit::runStartup() {
    AppState& s = state_;
    rn::Document& doc = s.doc;
    frame_.setStatusPanelWidths();
    s.dialogDirectory = fromUtf8(rn::Program().directory);
    // Without a settings file the built-in layout and the record's zero values stay.
    std::string startFile;
    bool guideMissing = false;
    readSettingsFile();
    if (settingsFound_) {
        doc.treeFile = s.settings.Start.TreeFileName;
        startFile = s.settings.Start.TreeFileName;
        frame_.applySettings();
    }
    s.history.LoadTreeHistory(rn::HistoryFilePath(), s.settings.Ramblenote.TreeHistory, s.settings.Start.TreeFileName);
    history_.rebuild();

    // A first argument that names an existing file takes the place of the remembered one.
    const std::string argument = s.arguments.isEmpty() ? std::string() : toUtf8(s.arguments.first());
    if (rn::FileExists(argument)) {
        startFile = argument;
    } else if (s.firstStart) {
        // The very first start shows the guide, copied to where the user may change it.
        const std::string guide = rn::PlaceDeliveredSampleGuide();
        if (!guide.empty()) startFile = guide;
        guideMissing = guide.empty();
    }
    // A program copied without its data (a bare bin/) says where the guide should have been.
    openStartFile(startFile, guideMissing ? "（" + rn::MissingGuideText() + "）" : std::string());
    s.startupDone = true;
    editor_.setTrackNodeNumber(true);
}

void StartupExit::openStartFile(const std::string& startFile, const std::string& nothingOpenNote) {
    AppState& s = state_;
    rn::Document& doc = state_.doc;
    if (startFile == rn::kNoTreeFile) {
        doc.treeFile = rn::kNoTreeFile;
        rn::ShowStatus("Rnote ファイルを開いて下さい" + nothingOpenNote);
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
            selection_.focusOutline();
            selection_.selectNode(doc.outline.At(nodeNo));
        }
        return;
    }
    doc.treeFile = rn::kNoTreeFile;
    rn::ShowStatus("前回開いた Rnote ファイルがありません" + nothingOpenNote);
}

bool StartupExit::rescueEditedBody(bool mayStay) {
    const std::string node = rn::Cp932ToUtf8(editor_.nodeText());
    std::string bytes, reason, path;
    if (editor_.editorBytes(bytes))
        path = rn::WriteRescueFile(rn::RescueDirectory(), editor_.nodeText(), bytes, reason);
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
    AppState& s = state_;
    rn::Document& doc = state_.doc;
    if (!editor_.saveCurrentBody() && !rescueEditedBody(mayStay)) return false;
    doc.SaveTreeFile();
    s.history.SaveTreeHistory(rn::HistoryFilePath());
    rn::WriteSettings(s.settingsFile, s.settings, frame_.currentGeometry(), doc.treeFile);
    return true;
}

}  // namespace rn::gui

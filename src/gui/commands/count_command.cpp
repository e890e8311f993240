// SPDX-License-Identifier: MIT
#include "gui/commands/count_command.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <optional>
#include <string>
#include <string_view>

#include "core/count/outline_count.h"
#include "core/notices.h"
#include "gui/count/counts_dialog.h"
#include "gui/editor/body_editor.h"
#include "gui/editor/body_text_edit.h"
#include "gui/gui_notices.h"
#include "gui/outline/outline_selection.h"
#include "gui/prompts.h"
#include "gui/qt_text.h"

namespace rn::gui {
namespace {

// The progress dialog appears only when counting takes longer than this, and the window is
// brought up to date at most this often.
constexpr int kProgressDelayMs = 400;
constexpr int kRepaintIntervalMs = 50;
constexpr int kProgressSteps = 1000;

// The editor's text stands in for the body file of the node it edits. A read-only editor shows the
// file as it is (a trash view, or a body with bytes it cannot show), so the file counts then.
std::optional<rn::EditedBody> editedBody(const BodyEditor& editor) {
    if (editor.state() != rn::kEditing || editor.nodeText().empty() || editor.editor().isReadOnly()) {
        return std::nullopt;
    }
    const QString text = editor.editor().toPlainText();
    return rn::EditedBody{editor.nodeText(),
                          rn::CountBody(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                            static_cast<std::size_t>(text.size())))};
}

rn::CountResult countWithProgress(const rn::Document& doc, const BodyEditor& editor, const rn::Node* selected,
                                  rn::CountReport& report, QWidget* owner) {
    QProgressDialog progress(QStringLiteral("文字数を数えています…"), QStringLiteral("中止"), 0, kProgressSteps, owner);
    progress.setObjectName(QStringLiteral("CountProgress"));
    progress.setWindowTitle(CountsDialog::title());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(kProgressDelayMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);
    QElapsedTimer clock;
    clock.start();
    qint64 lastUpdate = 0;
    const auto onProgress = [&](std::size_t done, std::size_t total) {
        if (clock.elapsed() - lastUpdate < kRepaintIntervalMs) return !progress.wasCanceled();
        lastUpdate = clock.elapsed();
        const int step = total == 0 ? kProgressSteps : static_cast<int>(done * kProgressSteps / total);
        // Once shown, the modal progress dialog handles events itself (and only it takes input).
        // Before that the window only repaints: a click must not change the outline being counted.
        const bool shown = progress.isVisible();
        progress.setValue(step);
        if (!shown) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return !progress.wasCanceled();
    };
    return rn::CountOutline(doc.outline, doc.treeDir, selected, editedBody(editor), report, onProgress);
}

}  // namespace

void showCounts(const rn::Document& doc, const BodyEditor& editor, const OutlineSelection& selection, Prompts& prompts,
                QWidget* owner) {
    rn::ClearStatus();
    if (!doc.IsOpen()) {
        rn::ShowStatus("Rnote ファイルを 開くか/新規作成して下さい");
        return;
    }
    const rn::Node* selected = selection.selectedNode();
    rn::CountReport report;
    if (countWithProgress(doc, editor, selected, report, owner) == rn::CountResult::kCancelled) {
        rn::ShowStatus("文字数･原稿用紙換算はキャンセルされました");
        return;
    }
    // The counts are shown all the same, after the bodies they leave out are named.
    QStringList missed;
    for (const auto* names : {&report.unreadable, &report.notRegular})
        for (const std::string& name : *names)
            missed << fromUtf8(name);
    if (!missed.isEmpty())
        prompts.reportError(missed.join(QLatin1Char('\n')) + QStringLiteral("\nこれらの本文は数えていません"));
    const QString scope = selected ? QStringLiteral("「%1」以下のノード").arg(fromCp932(selected->text))
                                   : QStringLiteral("文書全体のノード（ゴミ箱を除く）");
    CountsDialog dialog(owner, doc.outline, report, scope);
    dialog.exec();
}

}  // namespace rn::gui

// SPDX-License-Identifier: MIT
#include "gui/commands/history_menu.h"

#include <QAction>
#include <QMenu>

#include "core/notices.h"
#include "core/outline/document.h"
#include "core/settings/history.h"
#include "core/settings/settings.h"
#include "gui/commands/tree_file_commands.h"
#include "gui/editor/body_editor.h"
#include "gui/qt_text.h"

namespace rn::gui {

HistoryMenu::HistoryMenu(rn::TreeHistory& history, const rn::Settings& settings, rn::Document& doc, BodyEditor& editor,
                         TreeFileCommands& files, QMenu* menu)
    : QObject(menu), history_(history), settings_(settings), doc_(doc), editor_(editor), files_(files), menu_(menu) {
    menu_->setObjectName(QStringLiteral("MenuFTR"));
    rebuild();
}

void HistoryMenu::rebuild() {
    // Items are kept and given their new captions: the item being chosen is often the one whose open
    // reorders the list, and it must not be deleted under its own signal.
    const auto& items = history_.Items();
    QList<QAction*> actions = menu_->actions();
    while (actions.size() > static_cast<qsizetype>(items.size())) {
        QAction* extra = actions.takeLast();
        menu_->removeAction(extra);
        extra->deleteLater();
    }
    for (std::size_t i = static_cast<std::size_t>(actions.size()); i < items.size(); ++i) {
        QAction* a = menu_->addAction(QString());
        if (i == 0) a->setObjectName(QStringLiteral("MenuFTRNew"));
        // The caption is taken when the item is chosen, as a copy: the open it starts changes the list.
        connect(a, &QAction::triggered, this, [this, i] {
            const auto& list = history_.Items();
            if (i < list.size()) openFromHistory(list[i]);
        });
        actions.append(a);
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QString caption = fromUtf8(items[i]);
        // Captions are shown as they are: a "&" in a path is no access key.
        actions[static_cast<qsizetype>(i)]->setText(QString(caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
        actions[static_cast<qsizetype>(i)]->setData(caption);
    }
}

void HistoryMenu::add(const std::string& path) {
    history_.AddTreeHistory(path, settings_.Ramblenote.TreeHistory);
    rebuild();
}

// The caption is a copy on purpose: the item it comes from goes when the list is rebuilt.
void HistoryMenu::openFromHistory(std::string caption) {  // NOLINT(performance-unnecessary-value-param)
    rn::ClearStatus();
    // Edits that could not be written stay in the editor; opening another document would lose them.
    if (!editor_.saveCurrentBody() || !doc_.SaveTreeFile()) return;
    if (caption == rn::kHistoryLatest) return;
    files_.openAndReport(caption);
}

}  // namespace rn::gui

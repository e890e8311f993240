#include "gui/mainwin/history_menu.h"

#include <QAction>
#include <QMenu>

#include "core/tree/notices.h"
#include "gui/mainwin/main_window.h"

namespace rn::gui {

HistoryMenu::HistoryMenu(TFormTree& window, QMenu* menu) : QObject(&window), w_(window), menu_(menu) {
    menu_->setObjectName(QStringLiteral("MenuFTR"));
    Rebuild();
}

void HistoryMenu::Rebuild() {
    menu_->clear();
    const auto& items = w_.state().history.items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        QString caption = FromUtf8(items[i]);
        // Captions are shown as they are: a "&" in a path is no access key.
        QAction* a = menu_->addAction(QString(caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
        a->setData(caption);
        if (i == 0) a->setObjectName(QStringLiteral("MenuFTRNew"));
        const std::string path = items[i];
        connect(a, &QAction::triggered, this, [this, path] { MenuFTRNewClick(path); });
    }
}

void HistoryMenu::Add(const std::string& path) {
    AppState& s = w_.state();
    s.history.AddTreeHistory(path, s.settings.Ramblenote.TreeHistory);
    Rebuild();
}

void HistoryMenu::MenuFTRNewClick(const std::string& caption) {
    rn::ClearStatus();
    rn::Document& doc = w_.doc();
    w_.SaveCurrentBody();
    doc.SaveTreeFile();
    if (caption == rn::kHistoryLatest) return;
    const int result = doc.OpenTreeFile(caption);
    const std::string message = rn::OpenResultMessage(result, doc, caption);
    if (!message.empty()) rn::ShowStatus(message);
}

}  // namespace rn::gui

#include "gui_support.h"

#include <QAction>
#include <QApplication>
#include <QTest>

#include "core/text/cp932.h"
#include "gui/mainwin/outline_model.h"
#include "gui/mainwin/outline_view.h"
#include "gui/mainwin/status_panels.h"

namespace rn::test {

MainWindowFixture::MainWindowFixture(const QStringList& arguments, bool show) {
    QApplication::setApplicationDisplayName(QStringLiteral("RamblenoteVer3"));
    Start(arguments, show);
}

void MainWindowFixture::Start(const QStringList& arguments, bool show) {
    rn::gui::MainWindow::Options options;
    options.prompts = &prompts;
    options.programDirectory = QString::fromStdString(dir.path());
    options.arguments = arguments;
    window = std::make_unique<rn::gui::MainWindow>(options);
    if (show) {
        window->show();
        QTest::qWait(0);
    }
}

MainWindowFixture::~MainWindowFixture() {
    window.reset();
}

QString MainWindowFixture::Message() const {
    return window->statusPanels()->text(1);
}
QString MainWindowFixture::Panel(int i) const {
    return window->statusPanels()->text(i);
}

void MainWindowFixture::OpenDocument(const std::string& fileName, const std::string& utf8Lines) {
    WriteAll(Path(fileName), Sjis(utf8Lines));
    prompts.files.push_back(QPath(fileName));
    Trigger("MenuTreeOpen");
}

void MainWindowFixture::Select(int absIndex) {
    rn::Node* node = doc().outline.At(absIndex);
    QModelIndex index = window->outlineModel()->indexOf(node);
    window->outlineView()->setCurrentIndex(index);
}

void MainWindowFixture::Trigger(const char* actionName) {
    QAction* a = window->findChild<QAction*>(QString::fromLatin1(actionName));
    if (!a) qFatal("no action %s", actionName);
    a->trigger();
}

void MainWindowFixture::Restart(const QStringList& arguments, bool show) {
    window.reset();
    prompts.Clear();
    prompts.answers.clear();
    prompts.files.clear();
    prompts.colors.clear();
    Start(arguments, show);
}

std::string MainWindowFixture::NodeText(int absIndex) {
    rn::Node* n = doc().outline.At(absIndex);
    return n ? rn::Cp932ToUtf8(n->text) : std::string("<none>");
}

QPoint LabelPoint(MainWindowFixture& f, int absIndex) {
    const QModelIndex i = f.w().outlineModel()->indexOf(f.doc().outline.At(absIndex));
    const QRect r = f.w().outlineView()->visualRect(i);
    return QPoint(r.left() + 24, r.center().y());
}

}  // namespace rn::test

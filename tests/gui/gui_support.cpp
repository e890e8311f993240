// SPDX-License-Identifier: MIT
#include "gui_support.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QHash>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

#include "core/text/cp932.h"
#include "gui/outline/outline_model.h"
#include "gui/outline/outline_view.h"
#include "gui/window/application_setup.h"
#include "gui/window/status_panels.h"

namespace rn::test {
namespace {

// A modal dialog that nobody answers would wait for the test's time limit. Every box, question and
// file dialog goes through the scripted prompts, so one of Qt's own appearing is a fault at once;
// the program's own dialogs are answered by scripts within moments of being shown, so one still open
// after kUnansweredMs (counted from that showing) is one nobody will answer.
constexpr int kUnansweredMs = 5000;

class ModalDialogGuard : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->isWindow() && w->isModal() && !qobject_cast<QProgressDialog*>(w)) watch(w);
        }
        return false;
    }

private:
    void watch(QWidget* w) {
        const bool qtOwn = qobject_cast<QMessageBox*>(w) || qobject_cast<QFileDialog*>(w) ||
                           qobject_cast<QColorDialog*>(w) || qobject_cast<QFontDialog*>(w) ||
                           qobject_cast<QInputDialog*>(w);
        const int showing = ++showings_[w];
        QPointer<QWidget> guarded(w);
        QTimer::singleShot(qtOwn ? 0 : kUnansweredMs, this, [this, guarded, showing] {
            if (!guarded || !guarded->isVisible() || showings_.value(guarded) != showing) return;
            QString text = guarded->windowTitle();
            if (auto* box = qobject_cast<QMessageBox*>(guarded.data())) text += QStringLiteral(": ") + box->text();
            qFatal("unexpected modal dialog %s (%s) left open: %s", guarded->metaObject()->className(),
                   qPrintable(guarded->objectName()), qPrintable(text));
        });
    }

    QHash<QWidget*, int> showings_;
};

void prepareApplication() {
    static bool done = false;
    if (done) return;
    done = true;
    rn::gui::configureApplication();
    qApp->installEventFilter(new ModalDialogGuard(qApp));  // owned by the application: no leak at exit
}

}  // namespace

MainWindowFixture::MainWindowFixture(const QStringList& arguments, bool show) {
    prepareApplication();
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
    WriteAll(Path(fileName), Cp932Literal(utf8Lines));
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

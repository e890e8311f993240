// SPDX-License-Identifier: MIT
#include "app/desktop/desktop_start.h"

#include <QApplication>
#include <QFileInfo>

#include "core/settings/program.h"
#include "gui/gui_notices.h"
#include "gui/prompts.h"
#include "gui/qt_text.h"
#include "gui/window/application_setup.h"
#include "gui/window/main_window.h"
#include "gui/window/resident.h"
#include "platform/single_instance.h"
#include "platform/termination.h"

namespace rn::app {

int RunDesktop(char* programName, const std::vector<std::string>& arguments) {
    int argc = 1;
    char* argv[] = {programName, nullptr};
    QApplication app(argc, argv);
    gui::configureApplication();
    QApplication::setQuitOnLastWindowClosed(false);

    rn::SingleInstance single(QStringLiteral("RamblenoteVer3"));
    if (single.AnotherCopyRunning()) {
        // Started with a Tree file (a double click on a document): the running copy opens it.
        const QString file = arguments.empty() ? QString() : QString::fromLocal8Bit(arguments.front());
        if (!file.isEmpty() && QFileInfo(file).isFile() && single.AskToOpen(QFileInfo(file).absoluteFilePath()))
            return 0;
        // This copy touches no file: it says so, brings the running copy forward once its box is
        // dismissed (so that the box is not hidden behind it), and ends.
        gui::QtPrompts prompts;
        prompts.inform(gui::fromUtf8(RunningProgramPath()) + QStringLiteral("\r起動済みです｡"));
        single.AskToShow();
        return 0;
    }
    single.Listen();

    gui::MainWindow::Options options;
    for (const std::string& argument : arguments)
        options.arguments << QString::fromLocal8Bit(argument);
    gui::MainWindow window(options);
    QObject::connect(&single, &rn::SingleInstance::showRequested, &window,
                     [&window] { window.residentMode().restoreFromTray(); });
    QObject::connect(&single, &rn::SingleInstance::openRequested, &window,
                     [&window](const QString& path) { window.openRequestedFile(path); });
    // Being told to stop ends the program as its own exit command would, writing everything.
    rn::TerminationWatcher termination([&window] { window.endOnSignal(); });
    window.show();
    return QApplication::exec();
}

}  // namespace rn::app

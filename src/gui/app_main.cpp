#include "gui/app_main.h"

#include <QApplication>

#include "core/tree/program.h"
#include "gui/gui_notices.h"
#include "gui/mainwin/main_window.h"
#include "gui/mainwin/resident.h"
#include "gui/prompts.h"
#include "platform/single_instance.h"
#include "platform/termination.h"

namespace rn::gui {

int runDesktop(char* programName, const std::vector<std::string>& arguments) {
    int argc = 1;
    char* argv[] = {programName, nullptr};
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ramblenote"));
    // The title a running copy is known by, and what the task bar shows.
    QApplication::setApplicationDisplayName(QStringLiteral("RamblenoteVer3"));
    // Lets the desktop match the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.ramblenote.Ramblenote"));
    QApplication::setQuitOnLastWindowClosed(false);

    rn::SingleInstance single(QStringLiteral("RamblenoteVer3"));
    if (single.AnotherCopyRunning()) {
        // This copy touches no file: it says so and ends.
        QtPrompts prompts;
        prompts.information(fromUtf8(rn::RunningProgramPath()) + QStringLiteral("\r起動済みです｡"));
        return 0;
    }
    single.Listen();

    MainWindow::Options options;
    for (const std::string& argument : arguments)
        options.arguments << QString::fromLocal8Bit(argument);
    MainWindow window(options);
    QObject::connect(&single, &rn::SingleInstance::showRequested, &window,
                     [&window] { window.residentMode().restoreFromTray(); });
    // Being told to stop ends the program as its own exit command would, writing everything.
    rn::TerminationWatcher termination([&window] {
        window.residentMode().onSessionEnding();
        window.close();
    });
    window.show();
    return QApplication::exec();
}

}  // namespace rn::gui

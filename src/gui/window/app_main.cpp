// SPDX-License-Identifier: MIT
#include "gui/window/app_main.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "core/settings/program.h"
#include "gui/gui_notices.h"
#include "gui/japanese_fonts.h"
#include "gui/prompts.h"
#include "gui/qt_text.h"
#include "gui/window/main_window.h"
#include "gui/window/resident.h"
#include "platform/single_instance.h"
#include "platform/termination.h"

namespace rn::gui {

bool installQtTranslations(const QString& directory) {
    // One translator for the whole run; a later call (tests start many windows) replaces its texts.
    static QTranslator* translator = nullptr;
    auto* next = new QTranslator(qApp);
    if (!next->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                    directory)) {
        delete next;
        return false;
    }
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    translator = next;
    QCoreApplication::installTranslator(translator);
    return true;
}

void configureApplication() {
    // The name a desktop shows for the program (the window class) and the title of its boxes. It is
    // not made the display name: Qt would append that to every caption.
    QApplication::setApplicationName(QStringLiteral("RamblenoteVer3"));
    // Lets the desktop match the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.ramblenote.Ramblenote"));
    // Every text of the program is Japanese, whatever the system's language; without the translation
    // files Qt's own texts stay English.
    installQtTranslations(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    substituteJapaneseFonts();
}

int runDesktop(char* programName, const std::vector<std::string>& arguments) {
    int argc = 1;
    char* argv[] = {programName, nullptr};
    QApplication app(argc, argv);
    configureApplication();
    QApplication::setQuitOnLastWindowClosed(false);

    rn::SingleInstance single(QStringLiteral("RamblenoteVer3"));
    if (single.AnotherCopyRunning()) {
        // Started with a Tree file (a double click on a document): the running copy opens it.
        const QString file = arguments.empty() ? QString() : QString::fromLocal8Bit(arguments.front());
        if (!file.isEmpty() && QFileInfo(file).isFile() && single.AskToOpen(QFileInfo(file).absoluteFilePath()))
            return 0;
        // This copy touches no file: it says so, brings the running copy forward once its box is
        // dismissed (so that the box is not hidden behind it), and ends.
        QtPrompts prompts;
        prompts.inform(fromUtf8(rn::RunningProgramPath()) + QStringLiteral("\r起動済みです｡"));
        single.AskToShow();
        return 0;
    }
    single.Listen();

    MainWindow::Options options;
    for (const std::string& argument : arguments)
        options.arguments << QString::fromLocal8Bit(argument);
    MainWindow window(options);
    QObject::connect(&single, &rn::SingleInstance::showRequested, &window,
                     [&window] { window.residentMode().restoreFromTray(); });
    QObject::connect(&single, &rn::SingleInstance::openRequested, &window,
                     [&window](const QString& path) { window.openRequestedFile(path); });
    // Being told to stop ends the program as its own exit command would, writing everything.
    rn::TerminationWatcher termination([&window] { window.endOnSignal(); });
    window.show();
    return QApplication::exec();
}

}  // namespace rn::gui

// SPDX-License-Identifier: MIT
#include "gui/window/application_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "gui/japanese_fonts.h"

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

}  // namespace rn::gui

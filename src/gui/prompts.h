// SPDX-License-Identifier: MIT
// Every modal question, message box and file dialog of the program goes through one Prompts object,
// so that tests can answer them without anything blocking.
#pragma once

#include <QColor>
#include <QString>

namespace rn::gui {

class Prompts {
public:
    virtual ~Prompts() = default;
    // Information box, OK only.
    virtual void inform(const QString& text) = 0;
    // Warning with Yes and No; true for Yes (Escape answers No).
    virtual bool askYesNo(const QString& text) = 0;
    // Warning with Yes and Cancel; true for Yes.
    virtual bool askYesCancel(const QString& text) = 0;
    // Warning with a single Yes button.
    virtual void warn(const QString& text) = 0;
    // Error box titled "エラー" with a single Yes button.
    virtual void reportError(const QString& text) = 0;
    // Error box titled "エラー" with a single "中止(&A)" button.
    virtual void reportAbort(const QString& text) = 0;
    // File dialogs; `filter` is "Name|*.a;*.b" (one or more pairs). Empty result: cancelled.
    virtual QString openFileName(const QString& title, const QString& filter, const QString& directory) = 0;
    virtual QString saveFileName(const QString& title, const QString& filter, const QString& directory,
                                 const QString& defaultSuffix = QString()) = 0;
    // The desktop's colour chooser starting at `initial`; an invalid colour when cancelled.
    virtual QColor chooseColor(const QColor& initial) = 0;
    // The system's default beep.
    virtual void beep() = 0;
};

// The real boxes and dialogs.
class QtPrompts : public Prompts {
public:
    void inform(const QString& text) override;
    bool askYesNo(const QString& text) override;
    bool askYesCancel(const QString& text) override;
    void warn(const QString& text) override;
    void reportError(const QString& text) override;
    void reportAbort(const QString& text) override;
    QString openFileName(const QString& title, const QString& filter, const QString& directory) override;
    QString saveFileName(const QString& title, const QString& filter, const QString& directory,
                         const QString& defaultSuffix = QString()) override;
    QColor chooseColor(const QColor& initial) override;
    void beep() override;
};

// "Name|*.a;*.b" as a Qt name filter list, with upper- and lower-case variants of each pattern
// (file names are case-sensitive here, the program's extensions are not).
QString toQtFilter(const QString& filter);
// Texts of the program break lines with a lone CR; boxes want LF.
QString forDisplay(const QString& text);

}  // namespace rn::gui

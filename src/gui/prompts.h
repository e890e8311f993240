// Every modal question, message box and file dialog of the program goes through one Prompts object,
// so that tests can answer them without anything blocking.
#pragma once

#include <QString>

namespace rn::gui {

class Prompts {
public:
    virtual ~Prompts() = default;
    // Information box, OK only.
    virtual void Information(const QString& text) = 0;
    // Warning with Yes and No; true for Yes (Escape answers No).
    virtual bool WarningYesNo(const QString& text) = 0;
    // Warning with Yes and Cancel; true for Yes.
    virtual bool WarningYesCancel(const QString& text) = 0;
    // Warning with a single Yes button.
    virtual void WarningYes(const QString& text) = 0;
    // Error box titled "エラー" with a single Yes button.
    virtual void ErrorYes(const QString& text) = 0;
    // Error box titled "エラー" with a single "中止(&A)" button.
    virtual void ErrorAbort(const QString& text) = 0;
    // File dialogs; `filter` is "Name|*.a;*.b" (one or more pairs). Empty result: cancelled.
    virtual QString OpenFileName(const QString& title, const QString& filter, const QString& directory) = 0;
    virtual QString SaveFileName(const QString& title, const QString& filter, const QString& directory,
                                 const QString& defaultSuffix = QString()) = 0;
    // The system's default beep.
    virtual void Beep() = 0;
};

// The real boxes and dialogs.
class QtPrompts : public Prompts {
public:
    void Information(const QString& text) override;
    bool WarningYesNo(const QString& text) override;
    bool WarningYesCancel(const QString& text) override;
    void WarningYes(const QString& text) override;
    void ErrorYes(const QString& text) override;
    void ErrorAbort(const QString& text) override;
    QString OpenFileName(const QString& title, const QString& filter, const QString& directory) override;
    QString SaveFileName(const QString& title, const QString& filter, const QString& directory,
                         const QString& defaultSuffix = QString()) override;
    void Beep() override;
};

// "Name|*.a;*.b" as a Qt name filter list, with upper- and lower-case variants of each pattern
// (file names are case-sensitive here, the program's extensions are not).
QString ToQtFilter(const QString& filter);
// Texts of the program break lines with a lone CR; boxes want LF.
QString ForDisplay(const QString& text);

}  // namespace rn::gui

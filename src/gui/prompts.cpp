#include "gui/prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace rn::gui {
namespace {

QWidget* Parent() {
    return QApplication::activeWindow();
}

QString Title() {
    return QApplication::applicationDisplayName();
}

}  // namespace

QString ForDisplay(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

QString ToQtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            for (const QString& v : {p, p.toLower(), p.toUpper()})
                if (!patterns.contains(v)) patterns << v;
        }
        entries << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

void QtPrompts::Information(const QString& text) {
    QMessageBox::information(Parent(), Title(), ForDisplay(text));
}

bool QtPrompts::WarningYesNo(const QString& text) {
    return QMessageBox::warning(Parent(), Title(), ForDisplay(text), QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtPrompts::WarningYesCancel(const QString& text) {
    return QMessageBox::warning(Parent(), Title(), ForDisplay(text), QMessageBox::Yes | QMessageBox::Cancel,
                                QMessageBox::Yes) == QMessageBox::Yes;
}

void QtPrompts::WarningYes(const QString& text) {
    QMessageBox::warning(Parent(), Title(), ForDisplay(text), QMessageBox::Yes, QMessageBox::Yes);
}

void QtPrompts::ErrorYes(const QString& text) {
    QMessageBox::critical(Parent(), QStringLiteral("エラー"), ForDisplay(text), QMessageBox::Yes, QMessageBox::Yes);
}

void QtPrompts::ErrorAbort(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("エラー"), ForDisplay(text), QMessageBox::NoButton, Parent());
    QPushButton* abort = box.addButton(QStringLiteral("中止(&A)"), QMessageBox::RejectRole);
    box.setDefaultButton(abort);
    box.setEscapeButton(abort);
    box.exec();
}

QString QtPrompts::OpenFileName(const QString& title, const QString& filter, const QString& directory) {
    return QFileDialog::getOpenFileName(Parent(), title, directory, ToQtFilter(filter));
}

QString QtPrompts::SaveFileName(const QString& title, const QString& filter, const QString& directory,
                                const QString& defaultSuffix) {
    QFileDialog dialog(Parent(), title, directory, ToQtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The program itself says what happens to an existing file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!defaultSuffix.isEmpty()) dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void QtPrompts::Beep() {
    QApplication::beep();
}

}  // namespace rn::gui

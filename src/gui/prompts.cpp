// SPDX-License-Identifier: MIT
#include "gui/prompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace rn::gui {
namespace {

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

QString boxTitle() {
    return QApplication::applicationDisplayName();
}

}  // namespace

QString forDisplay(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

QString toQtFilter(const QString& filter) {
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

void QtPrompts::inform(const QString& text) {
    QMessageBox::information(dialogParent(), boxTitle(), forDisplay(text));
}

bool QtPrompts::askYesNo(const QString& text) {
    return QMessageBox::warning(dialogParent(), boxTitle(), forDisplay(text), QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtPrompts::askYesCancel(const QString& text) {
    return QMessageBox::warning(dialogParent(), boxTitle(), forDisplay(text), QMessageBox::Yes | QMessageBox::Cancel,
                                QMessageBox::Yes) == QMessageBox::Yes;
}

void QtPrompts::warn(const QString& text) {
    QMessageBox::warning(dialogParent(), boxTitle(), forDisplay(text), QMessageBox::Yes, QMessageBox::Yes);
}

void QtPrompts::reportError(const QString& text) {
    QMessageBox::critical(dialogParent(), QStringLiteral("エラー"), forDisplay(text), QMessageBox::Yes,
                          QMessageBox::Yes);
}

void QtPrompts::reportAbort(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("エラー"), forDisplay(text), QMessageBox::NoButton,
                    dialogParent());
    QPushButton* abort = box.addButton(QStringLiteral("中止(&A)"), QMessageBox::RejectRole);
    box.setDefaultButton(abort);
    box.setEscapeButton(abort);
    box.exec();
}

QString QtPrompts::openFileName(const QString& title, const QString& filter, const QString& directory) {
    return QFileDialog::getOpenFileName(dialogParent(), title, directory, toQtFilter(filter));
}

QString QtPrompts::saveFileName(const QString& title, const QString& filter, const QString& directory,
                                const QString& defaultSuffix) {
    QFileDialog dialog(dialogParent(), title, directory, toQtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The program itself says what happens to an existing file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!defaultSuffix.isEmpty()) dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QColor QtPrompts::chooseColor(const QColor& initial) {
    return QColorDialog::getColor(initial, dialogParent());
}

void QtPrompts::beep() {
    QApplication::beep();
}

}  // namespace rn::gui

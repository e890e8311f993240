// SPDX-License-Identifier: MIT
// The writer's counts of one branch (or of the whole outline outside the trash): each node with the
// characters, manuscript rows and sheets of its own body, indented as in the outline, and the totals
// of the listed nodes and of the whole document underneath. Made for one showing.
#pragma once

#include <QDialog>
#include <QString>

#include "core/count/outline_count.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace rn::gui {

class CountsDialog : public QDialog {
    Q_OBJECT
public:
    enum Total { kListedTotal = 0, kDocumentTotal = 1 };
    enum Column { kCharacters = 0, kRows = 1, kSheets = 2 };

    // `report` lists nodes of `outline` by absolute index; `scope` says what was counted.
    CountsDialog(QWidget* owner, const rn::Outline& outline, const rn::CountReport& report, const QString& scope);

    QTreeWidget* list() const { return list_; }
    QLabel* scopeLabel() const { return scopeLabel_; }
    QLabel* totalLabel(Total total, Column column) const { return totals_[total][column]; }
    QPushButton* closeButton() const { return closeButton_; }

    // The command's caption, also the dialog's title.
    static QString title() { return QStringLiteral("文字数･原稿用紙換算"); }
    // Texts of the count columns: "12,345", "640", "32枚と5行".
    static QString numberText(std::int64_t value);
    static QString sheetsText(std::int64_t rows);

private:
    void fillList(const rn::Outline& outline, const rn::CountReport& report);
    void sizeColumns(const rn::CountReport& report);

    QLabel* scopeLabel_;
    QTreeWidget* list_;
    QLabel* totals_[2][3] = {};
    QPushButton* closeButton_;
};

}  // namespace rn::gui

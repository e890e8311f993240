// SPDX-License-Identifier: MIT
#include "gui/count/counts_dialog.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "gui/gui_notices.h"
#include "gui/qt_text.h"

namespace rn::gui {
namespace {

// The list's columns: the node, then the three counts.
constexpr int kNodeColumn = 0;
constexpr int kFirstCountColumn = 1;

}  // namespace

QString CountsDialog::numberText(std::int64_t value) {
    static const QLocale locale(QLocale::Japanese, QLocale::Japan);
    return locale.toString(static_cast<qlonglong>(value));
}

QString CountsDialog::sheetsText(std::int64_t rows) {
    return fromUtf8(rn::SheetsText(rows));
}

CountsDialog::CountsDialog(QWidget* owner, const rn::Outline& outline, const rn::CountReport& report,
                           const QString& scope)
    : QDialog(owner) {
    setObjectName(QStringLiteral("CountF"));
    setWindowTitle(title());
    setModal(true);

    scopeLabel_ = new QLabel(scope + QStringLiteral("\n400字詰め原稿用紙（20字×20行）に換算"), this);
    scopeLabel_->setObjectName(QStringLiteral("LabelCountScope"));

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("CountList"));
    list_->setColumnCount(4);
    list_->setHeaderLabels(
        {QStringLiteral("ノード"), QStringLiteral("文字数"), QStringLiteral("行数"), QStringLiteral("原稿用紙")});
    for (int c = kFirstCountColumn; c < kFirstCountColumn + 3; ++c)
        list_->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setAllColumnsShowFocus(true);
    list_->setAccessibleName(QStringLiteral("ノードごとの文字数"));
    fillList(outline, report);
    sizeColumns(report);

    auto* totals = new QGridLayout;
    const QString captions[2] = {QStringLiteral("一覧の合計"), QStringLiteral("文書全体の合計（ゴミ箱を除く）")};
    const rn::TextCount counts[2] = {report.listedTotal, report.documentTotal};
    const char* names[2][3] = {{"LabelListedChars", "LabelListedRows", "LabelListedSheets"},
                               {"LabelDocumentChars", "LabelDocumentRows", "LabelDocumentSheets"}};
    for (int t = 0; t < 2; ++t) {
        auto* caption = new QLabel(captions[t], this);
        totals->addWidget(caption, t, 0);
        const QString texts[3] = {numberText(counts[t].characters) + QStringLiteral("字"),
                                  numberText(counts[t].rows) + QStringLiteral("行"), sheetsText(counts[t].rows)};
        for (int c = 0; c < 3; ++c) {
            auto* label = new QLabel(texts[c], this);
            label->setObjectName(QString::fromLatin1(names[t][c]));
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            // The totals are what gets copied into a submission form.
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
            label->setAccessibleName(captions[t]);
            totals->addWidget(label, t, c + 1);
            totals_[t][c] = label;
        }
    }
    totals->setColumnStretch(0, 1);
    totals->setHorizontalSpacing(16);

    closeButton_ = new QPushButton(QStringLiteral("閉じる"), this);
    closeButton_->setObjectName(QStringLiteral("ButtonCountClose"));
    closeButton_->setDefault(true);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(closeButton_);

    auto* column = new QVBoxLayout(this);
    column->addWidget(scopeLabel_);
    column->addWidget(list_, 1);
    column->addLayout(totals);
    column->addLayout(buttons);

    resize(640, 480);
    list_->setFocus();
}

void CountsDialog::fillList(const rn::Outline& outline, const rn::CountReport& report) {
    if (report.listed.empty()) return;
    // The items are linked up while no view holds them and handed over at once: a view told of each
    // of 20,000 insertions would take seconds.
    QList<QTreeWidgetItem*> roots;
    std::vector<QTreeWidgetItem*> path;  // the last item on each level, from the first listed level
    const int baseLevel = report.listed.front().level;
    for (const rn::NodeCount& counted : report.listed) {
        const rn::Node* node = outline.At(static_cast<int>(counted.index));
        const std::size_t depth =
            std::min(static_cast<std::size_t>(std::max(counted.level - baseLevel, 0)), path.size());
        path.resize(depth);
        auto* item = depth == 0 ? new QTreeWidgetItem : new QTreeWidgetItem(path.back());
        if (depth == 0) roots.append(item);
        path.push_back(item);
        item->setText(kNodeColumn, node ? fromCp932(node->text) : QString());
        // A folder has no body: blank, so that it is not mistaken for an empty text.
        if ((node && node->IsText()) || counted.own != rn::TextCount{}) {
            item->setText(kFirstCountColumn + int{kCharacters}, numberText(counted.own.characters));
            item->setText(kFirstCountColumn + int{kRows}, numberText(counted.own.rows));
            item->setText(kFirstCountColumn + int{kSheets}, sheetsText(counted.own.rows));
        }
        for (int c = kFirstCountColumn; c < kFirstCountColumn + 3; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    list_->addTopLevelItems(roots);
    list_->expandAll();
    list_->setCurrentItem(roots.front());
}

void CountsDialog::sizeColumns(const rn::CountReport& report) {
    // Measured from the totals, the widest numbers there are, rather than from every row.
    const QFontMetrics metrics(list_->font());
    const std::int64_t rows = report.listedTotal.rows;
    const QString widest[3] = {numberText(report.listedTotal.characters), numberText(rows),
                               sheetsText(rows - rows % rn::kRowsPerSheet + rn::kRowsPerSheet - 1)};
    QHeaderView* header = list_->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(kNodeColumn, QHeaderView::Stretch);
    for (int c = 0; c < 3; ++c) {
        const int text =
            std::max(metrics.horizontalAdvance(widest[c]),
                     header->fontMetrics().horizontalAdvance(list_->headerItem()->text(kFirstCountColumn + c)));
        header->setSectionResizeMode(kFirstCountColumn + c, QHeaderView::Interactive);
        header->resizeSection(kFirstCountColumn + c, text + 3 * metrics.averageCharWidth());
    }
}

}  // namespace rn::gui

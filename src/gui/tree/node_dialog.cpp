// SPDX-License-Identifier: MIT
#include "gui/tree/node_dialog.h"
#include "gui/dialog_frame.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "core/outline/node_names.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"
#include "gui/gui_notices.h"
#include "gui/qt_text.h"

namespace rn::gui {
namespace {

constexpr int kWidth = 330;
constexpr int kHeight = 140;

struct ModeLook {
    const char* caption;
    const char* prompt;
    const char* button;
};

ModeLook lookOf(rn::NameMode mode) {
    switch (mode) {
        case rn::NameMode::Add:
            return {"ノード追加", "追加 ノード名を入力", "追加"};
        case rn::NameMode::ChildAdd:
            return {"ノード子追加", "子追加 ノード名を入力", "子追加"};
        case rn::NameMode::Insert:
            return {"ノード挿入", "挿入 ノード名を入力", "挿入"};
        case rn::NameMode::Rename:
            return {"ノード名変更", "変更 ノード名を入力", "変更"};
        case rn::NameMode::Search:
            return {"検索", "ノード検索　検索キーワードを入力", "検索"};
        case rn::NameMode::NarrowSearch:
            return {"検索(絞り込み)", "ノード検索　検索キーワードを入力", "検索(絞込)"};
        case rn::NameMode::MoveToTrash:
        case rn::NameMode::DeleteFromTrash:
            return {"ノード削除", "ノード削除", "削除"};
    }
    return {"ノード XX", "", "OK"};
}

}  // namespace

NodeNameDialog::NodeNameDialog(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("NodeF"));
    setWindowTitle(QStringLiteral("ノード XX"));
    // No title-bar buttons: the dialog is left through its own two buttons.
    setTitleBarButtons(*this, TitleBarButtons::None);
    setModal(true);

    promptLabel_ = new QLabel(this);
    promptLabel_->setObjectName(QStringLiteral("Label1"));
    nameEdit_ = new QLineEdit(this);
    nameEdit_->setObjectName(QStringLiteral("EditNM"));
    nameEdit_->setFixedWidth(297);
    textNodeButton_ = new QRadioButton(QStringLiteral("ﾃｷｽﾄﾉｰﾄﾞ"), this);
    textNodeButton_->setObjectName(QStringLiteral("RadioButton1"));
    textNodeButton_->setChecked(true);
    folderNodeButton_ = new QRadioButton(QStringLiteral("ﾌｫﾙﾀﾞｰﾉｰﾄﾞ"), this);
    folderNodeButton_->setObjectName(QStringLiteral("RadioButton2"));
    detailLabel_ = new QLabel(this);
    detailLabel_->setObjectName(QStringLiteral("Label3"));
    detailLabel_->setTextFormat(Qt::PlainText);
    detailLabel_->hide();
    styleLabel_ = new QLabel(QStringLiteral("様式"), this);
    styleLabel_->setObjectName(QStringLiteral("Label2"));
    styleCombo_ = new QComboBox(this);
    styleCombo_->setObjectName(QStringLiteral("ComboBox2"));
    styleCombo_->addItem(QStringLiteral("なし"));
    okButton_ = new QPushButton(this);
    okButton_->setObjectName(QStringLiteral("Button1"));
    okButton_->setDefault(true);
    okButton_->setAutoDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("キャンセル"), this);
    cancelButton_->setObjectName(QStringLiteral("Button2"));
    cancelButton_->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(3);
    layout->addWidget(promptLabel_);
    layout->addWidget(nameEdit_);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(textNodeButton_);
    kinds->addWidget(folderNodeButton_);
    kinds->addStretch(1);
    layout->addLayout(kinds);
    layout->addWidget(detailLabel_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(styleLabel_);
    bottom->addWidget(styleCombo_);
    bottom->addStretch(1);
    bottom->addWidget(okButton_);
    bottom->addWidget(cancelButton_);
    layout->addLayout(bottom);

    connect(okButton_, &QPushButton::clicked, this, &NodeNameDialog::confirm);
    connect(cancelButton_, &QPushButton::clicked, this, &NodeNameDialog::cancel);
    resize(kWidth, kHeight);
}

void NodeNameDialog::applyMode() {
    const ModeLook look = lookOf(mode_);
    setWindowTitle(QString::fromUtf8(look.caption));
    promptLabel_->setText(QString::fromUtf8(look.prompt));
    okButton_->setText(QString::fromUtf8(look.button));
    const QString name = fromCp932(current_);
    const bool kindShown = rn::NamesNewNode(mode_);
    textNodeButton_->setVisible(kindShown);
    folderNodeButton_->setVisible(kindShown);
    styleLabel_->setVisible(kindShown);
    styleCombo_->setVisible(kindShown);
    switch (mode_) {
        case rn::NameMode::Rename:
            nameEdit_->setText(name);
            detailLabel_->setText(QStringLiteral("ノード名を変更して下さい\n変更前ノード名=\n ") + name);
            detailLabel_->show();
            oldExtension_ = rn::UpperExtensionOf(current_);
            break;
        case rn::NameMode::MoveToTrash:
        case rn::NameMode::DeleteFromTrash:
            nameEdit_->setText(name);
            nameEdit_->setReadOnly(true);
            detailLabel_->setText(mode_ == rn::NameMode::MoveToTrash ? QStringLiteral("をゴミ箱へ移動します")
                                                                     : QStringLiteral("をゴミ箱から削除します"));
            detailLabel_->show();
            break;
        default:
            break;
    }
}

void NodeNameDialog::place() {
    // The dialog is placed and remembered by its client area: the window manager never moves a client
    // area placed that way, so the position read back when the dialog closes is right however soon
    // that is, while the frame around it may not be known yet and its position not be right.
    const QWidget* owner = parentWidget();
    const QRect ownerFrame = owner ? owner->frameGeometry() : QRect(0, 0, kWidth, kHeight);
    const QPoint offset = frameOffset_.value_or(owner ? owner->geometry().topLeft() - ownerFrame.topLeft() : QPoint());
    const QPoint centred(ownerFrame.left() + (ownerFrame.width() - kWidth) / 2,
                         ownerFrame.top() + (ownerFrame.height() - kHeight) / 2);
    const QPoint client(rememberedLeft_.value_or(centred.x() + offset.x()),
                        rememberedTop_.value_or(centred.y() + offset.y()));
    setGeometry(QRect(client, QSize(kWidth, kHeight)));
}

void NodeNameDialog::prepareToShow() {
    place();
    oldExtension_.clear();
    nameEdit_->show();
    styleCombo_->show();
    textNodeButton_->show();
    folderNodeButton_->show();
    styleLabel_->show();
    detailLabel_->hide();
    nameEdit_->clear();
    nameEdit_->setReadOnly(false);
    applyMode();
    nameEdit_->setFocus();
}

std::optional<NameAnswer> NodeNameDialog::ask(rn::NameMode mode, std::string_view current) {
    mode_ = mode;
    current_ = current;
    answer_.reset();
    prepareToShow();
    exec();
    return answer_;
}

void NodeNameDialog::confirm() {
    rn::NameCheck check =
        rn::ConfirmNodeName(mode_, toUtf8(nameEdit_->text()), oldExtension_, textNodeButton_->isChecked());
    switch (check.outcome) {
        case rn::NameOutcome::Cancelled:
            cancel();
            return;
        case rn::NameOutcome::StayOpen:
            if (check.clearField) nameEdit_->clear();
            nameEdit_->setFocus();
            return;
        case rn::NameOutcome::Confirmed:
            answer_ = NameAnswer{std::move(check.name), textNodeButton_->isChecked()};
            accept();
            return;
    }
}

void NodeNameDialog::cancel() {
    answer_.reset();
    reject();
}

void NodeNameDialog::done(int result) {
    // Escape and the window system's own close come here too: they cancel.
    if (result != QDialog::Accepted) answer_.reset();
    // A frame coordinate of 0 (the dialog taken to the screen's edge) counts as none: the dialog is
    // centred on the main window along it next time.
    const QRect client = geometry();
    const QRect frame = frameGeometry();
    frameOffset_ = client.topLeft() - frame.topLeft();
    rememberedLeft_ = frame.left() == 0 ? std::nullopt : std::optional<int>(client.left());
    rememberedTop_ = frame.top() == 0 ? std::nullopt : std::optional<int>(client.top());
    QDialog::done(result);
}

void NodeNameDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const QSize size = event->size();
    if (size.height() != kHeight || size.width() < kWidth) resize(qMax(kWidth, size.width()), kHeight);
}

}  // namespace rn::gui

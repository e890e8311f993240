#include "gui/tree/node_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "core/text/cp932.h"
#include "core/tree/files.h"
#include "core/tree/node_names.h"
#include "gui/gui_notices.h"
#include "gui/mainwin/app_state.h"

namespace rn::gui {
namespace {

constexpr int kWidth = 330;
constexpr int kHeight = 140;

struct ModeLook {
    const char* caption;
    const char* prompt;
    const char* button;
};

ModeLook LookOf(int mode) {
    switch (mode) {
        case rn::kModeAdd:
            return {"ノード追加", "追加 ノード名を入力", "追加"};
        case rn::kModeChildAdd:
            return {"ノード子追加", "子追加 ノード名を入力", "子追加"};
        case rn::kModeInsert:
            return {"ノード挿入", "挿入 ノード名を入力", "挿入"};
        case rn::kModeRename:
            return {"ノード名変更", "変更 ノード名を入力", "変更"};
        case rn::kModeSearch:
            return {"検索", "ノード検索　検索キーワードを入力", "検索"};
        case rn::kModeNarrowSearch:
            return {"検索(絞り込み)", "ノード検索　検索キーワードを入力", "検索(絞込)"};
        case rn::kModeMoveToTrash:
        case rn::kModeDeleteFromTrash:
            return {"ノード削除", "ノード削除", "削除"};
        default:
            return {"ノード XX", "", "OK"};
    }
}

}  // namespace

TNodeF::TNodeF(QWidget* owner, AppState& state) : QDialog(owner), state_(state) {
    setObjectName(QStringLiteral("NodeF"));
    setWindowTitle(QStringLiteral("ノード XX"));
    // No title-bar buttons: the dialog is left through its own two buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    editNM_ = new QLineEdit(this);
    editNM_->setObjectName(QStringLiteral("EditNM"));
    editNM_->setFixedWidth(297);
    radio1_ = new QRadioButton(QStringLiteral("ﾃｷｽﾄﾉｰﾄﾞ"), this);
    radio1_->setObjectName(QStringLiteral("RadioButton1"));
    radio1_->setChecked(true);
    radio2_ = new QRadioButton(QStringLiteral("ﾌｫﾙﾀﾞｰﾉｰﾄﾞ"), this);
    radio2_->setObjectName(QStringLiteral("RadioButton2"));
    label3_ = new QLabel(this);
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setTextFormat(Qt::PlainText);
    label3_->hide();
    label2_ = new QLabel(QStringLiteral("様式"), this);
    label2_->setObjectName(QStringLiteral("Label2"));
    combo2_ = new QComboBox(this);
    combo2_->setObjectName(QStringLiteral("ComboBox2"));
    combo2_->addItem(QStringLiteral("なし"));
    button1_ = new QPushButton(this);
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setDefault(true);
    button1_->setAutoDefault(true);
    button2_ = new QPushButton(QStringLiteral("キャンセル"), this);
    button2_->setObjectName(QStringLiteral("Button2"));
    button2_->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(3);
    layout->addWidget(label1_);
    layout->addWidget(editNM_);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(radio1_);
    kinds->addWidget(radio2_);
    kinds->addStretch(1);
    layout->addLayout(kinds);
    layout->addWidget(label3_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(label2_);
    bottom->addWidget(combo2_);
    bottom->addStretch(1);
    bottom->addWidget(button1_);
    bottom->addWidget(button2_);
    layout->addLayout(bottom);

    connect(button1_, &QPushButton::clicked, this, &TNodeF::Button1Click);
    connect(button2_, &QPushButton::clicked, this, &TNodeF::Button2Click);
    resize(kWidth, kHeight);
}

void TNodeF::ApplyMode(int mode) {
    const ModeLook look = LookOf(mode);
    setWindowTitle(QString::fromUtf8(look.caption));
    label1_->setText(QString::fromUtf8(look.prompt));
    button1_->setText(QString::fromUtf8(look.button));
    const QString name = FromCp932(state_.DialogNodeName);
    const bool kindShown = mode <= rn::kModeInsert;
    radio1_->setVisible(kindShown);
    radio2_->setVisible(kindShown);
    label2_->setVisible(kindShown);
    combo2_->setVisible(kindShown);
    switch (mode) {
        case rn::kModeRename:
            editNM_->setText(name);
            label3_->setText(QStringLiteral("ノード名を変更して下さい\n変更前ノード名=\n ") + name);
            label3_->show();
            oldExtension_ = rn::UpperExtensionOf(state_.DialogNodeName);
            break;
        case rn::kModeMoveToTrash:
        case rn::kModeDeleteFromTrash:
            editNM_->setText(name);
            editNM_->setReadOnly(true);
            label3_->setText(mode == rn::kModeMoveToTrash ? QStringLiteral("をゴミ箱へ移動します")
                                                          : QStringLiteral("をゴミ箱から削除します"));
            label3_->show();
            break;
        default:
            break;
    }
}

void TNodeF::FormActivate() {
    resize(kWidth, kHeight);
    // A remembered coordinate of 0 counts as none: such a coordinate is centred on the main window.
    const QWidget* owner = parentWidget();
    const QRect ownerFrame = owner ? owner->frameGeometry() : QRect(0, 0, kWidth, kHeight);
    int left = ownerFrame.left() + (ownerFrame.width() - kWidth) / 2;
    int top = ownerFrame.top() + (ownerFrame.height() - kHeight) / 2;
    if (rememberedLeft_ != 0) left = rememberedLeft_;
    if (rememberedTop_ != 0) top = rememberedTop_;
    move(left, top);
    oldExtension_.clear();
    editNM_->show();
    combo2_->show();
    radio1_->show();
    radio2_->show();
    label2_->show();
    label3_->hide();
    editNM_->clear();
    editNM_->setReadOnly(false);
    ApplyMode(state_.NodeDialogMode);
    editNM_->setFocus();
}

void TNodeF::ShowModal() {
    FormActivate();
    exec();
}

void TNodeF::Button1Click() {
    rn::NameCheck check =
        rn::ConfirmNodeName(state_.NodeDialogMode, ToUtf8(editNM_->text()), oldExtension_, radio1_->isChecked());
    switch (check.outcome) {
        case rn::NameOutcome::Cancelled:
            Button2Click();
            return;
        case rn::NameOutcome::StayOpen:
            if (check.clearField) editNM_->clear();
            editNM_->setFocus();
            return;
        case rn::NameOutcome::Confirmed:
            state_.DialogNodeName = std::move(check.name);
            state_.DialogTextNode = radio1_->isChecked();
            accept();
            return;
    }
}

void TNodeF::Button2Click() {
    state_.DialogNodeName.clear();
    reject();
}

void TNodeF::done(int result) {
    // Escape and the window system's own close come here too: they cancel.
    if (result != QDialog::Accepted) state_.DialogNodeName.clear();
    rememberedTop_ = y();
    rememberedLeft_ = x();
    QDialog::done(result);
}

void TNodeF::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const QSize size = event->size();
    if (size.height() != kHeight || size.width() < kWidth) resize(qMax(kWidth, size.width()), kHeight);
}

}  // namespace rn::gui

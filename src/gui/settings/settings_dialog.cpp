// SPDX-License-Identifier: MIT
#include "gui/settings/settings_dialog.h"
#include "gui/dialog_frame.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/notices.h"
#include "core/text/cp932.h"
#include "core/text/text_entry.h"
#include "gui/editor/body_text_edit.h"
#include "gui/gui_notices.h"
#include "gui/outline/outline_view.h"
#include "gui/prompts.h"
#include "gui/qt_text.h"
#include "gui/settings/color_list_box.h"
#include "gui/settings/dialog_widgets.h"
#include "gui/storable_text.h"
#include "gui/window/appearance.h"

namespace rn::gui {
namespace {

constexpr int kPageRole = Qt::UserRole;
constexpr int kMinFontSize = 6;
constexpr int kMaxFontSize = 32;

// Font families of the desktop whose names the settings file can hold.
QStringList storableFontFamilies() {
    QStringList out;
    for (const QString& family : QFontDatabase::families())
        if (rn::Utf8ToCp932(toUtf8(family)).ok) out << family;
    return out;
}

QComboBox* fontList(const char* name, const QStringList& families, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(families);
    box->setMinimumContentsLength(16);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return box;
}

QLabel* label(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

}  // namespace

SettingsDialog::SettingsDialog(QWidget* owner, rn::Settings& settings, Prompts& prompts, OutlineView& outline,
                               BodyTextEdit& editor, BodyTextEdit& lowerPane, const QString& dialogDirectory,
                               std::function<void()> applySettings)
    : QDialog(owner),
      settings_(settings),
      prompts_(prompts),
      outline_(outline),
      editor_(editor),
      lowerPane_(lowerPane),
      dialogDirectory_(dialogDirectory),
      applySettings_(std::move(applySettings)) {
    setObjectName(QStringLiteral("EnvironmentF"));
    setWindowTitle(QStringLiteral("Ramblenote環境設定"));
    // No close box: the dialog is left through OK or Cancel only.
    setTitleBarButtons(*this, TitleBarButtons::None);
    setModal(true);

    auto* column = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    column->addLayout(body, 1);
    buildPageList();
    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    body->addWidget(pageList_->parentWidget());
    body->addWidget(pages_, 1);
    buildUserPage();
    buildStartPage();
    buildTreePage();
    buildMemoPage();
    buildLowerPage();
    buildOthersPage();
    // Two pages that no entry of the list selects.
    QGridLayout* unused = nullptr;
    addPage("TabSheet7", QStringLiteral("その他設定２"), unused);
    addPage("TabSheet8", QStringLiteral("バッチ登録情報"), unused);
    pages_->setCurrentIndex(0);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    cancel->setAutoDefault(false);
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    column->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &SettingsDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &SettingsDialog::reject);

    connectPreviews();
    setFixedSize(sizeHint());
}

void SettingsDialog::buildPageList() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PageTree"));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    pageList_ = new QTreeWidget(panel);
    pageList_->setObjectName(QStringLiteral("TreeView1"));
    pageList_->setHeaderHidden(true);
    pageList_->setColumnCount(1);
    pageList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pageList_->viewport()->setCursor(Qt::PointingHandCursor);
    pageList_->setFixedWidth(150);
    layout->addWidget(pageList_);

    auto entry = [](QTreeWidgetItem* item, const QString& text, int page) {
        item->setText(0, text);
        item->setData(0, kPageRole, page);
        return item;
    };
    entry(new QTreeWidgetItem(pageList_), QStringLiteral("ユーザー情報"), 0);
    QTreeWidgetItem* startUp = entry(new QTreeWidgetItem(pageList_), QStringLiteral("Ramblenote起動時"), 1);
    entry(new QTreeWidgetItem(startUp), QStringLiteral("Tree画面"), 2);
    entry(new QTreeWidgetItem(startUp), QStringLiteral("メモ画面"), 3);
    entry(new QTreeWidgetItem(startUp), QStringLiteral("下段メモ画面"), 4);
    entry(new QTreeWidgetItem(pageList_), QStringLiteral("その他設定"), 5);
    pageList_->expandAll();
    connect(pageList_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { showPageOf(current); });
}

void SettingsDialog::showPageOf(QTreeWidgetItem* entry) {
    if (!entry) return;
    pages_->setCurrentIndex(entry->data(0, kPageRole).toInt());
}

int SettingsDialog::currentPage() const {
    return pages_->currentIndex();
}

QWidget* SettingsDialog::addPage(const char* name, const QString& title, QGridLayout*& grid) {
    auto* page = new QWidget(pages_);
    page->setObjectName(QString::fromLatin1(name));
    auto* column = new QVBoxLayout(page);
    auto* heading = new QLabel(title, page);
    heading->setObjectName(QStringLiteral("PageTitle"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    column->addWidget(heading);
    grid = new QGridLayout;
    column->addLayout(grid);
    column->addStretch(1);
    pages_->addWidget(page);
    return page;
}

QCheckBox* SettingsDialog::addCheckBox(QGridLayout* grid, int row, const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, grid->parentWidget());
    box->setObjectName(QString::fromLatin1(name));
    grid->addWidget(box, row, 0, 1, 4);
    return box;
}

void SettingsDialog::buildUserPage() {
    QGridLayout* grid = nullptr;
    QWidget* page = addPage("TabSheet1", QStringLiteral("ユーザー情報"), grid);
    userName_ = new QLineEdit(page);
    userName_->setObjectName(QStringLiteral("EditD1"));
    userName_->setValidator(storableText());
    auto* version = new QLineEdit(QStringLiteral("Ver3.0.2  BNo.13  2008/12/19"), page);
    version->setObjectName(QStringLiteral("EditD2"));
    version->setReadOnly(true);
    grid->addWidget(label(QStringLiteral("ユーザー名"), page), 0, 0);
    grid->addWidget(userName_, 0, 1);
    grid->addWidget(label(QStringLiteral("Ramblenote Ver"), page), 1, 0);
    grid->addWidget(version, 1, 1);
}

void SettingsDialog::buildStartPage() {
    QGridLayout* grid = nullptr;
    QWidget* page = addPage("TabSheet2", QStringLiteral("Ramblenote 起動時 動作"), grid);
    historyCount_ = new SteppedNumberField(QStringLiteral("EditT1"), QStringLiteral("UpDown1"), 4, 32, page);
    grid->addWidget(label(QStringLiteral("履歴件数"), page), 0, 0);
    grid->addWidget(historyCount_, 0, 1);
    treeOpen_ = addCheckBox(grid, 1, "CheckBox1", QStringLiteral("起動時 Tree File を開く"));
    docMovement_ = addCheckBox(grid, 2, "CheckBox2", QStringLiteral("起動時 前回終了ノードへ移動"));
    resident_ = addCheckBox(grid, 3, "CheckBox5", QStringLiteral("Ramblenote プログラム常駐"));
}

void SettingsDialog::addPaneControls(QGridLayout* grid, int row, PaneControls& pane, const PaneNames& names,
                                     bool systemColors) {
    QWidget* page = grid->parentWidget();
    static const QStringList families = storableFontFamilies();
    pane.font = fontList(names.font, families, page);
    pane.font->setValidator(storableText());
    pane.size = new SteppedNumberField(QString::fromLatin1(names.size), QString::fromLatin1(names.arrows), kMinFontSize,
                                       kMaxFontSize, page);
    pane.color = new ColorListBox(QString::fromLatin1(names.color), systemColors, page);
    pane.background = new ColorListBox(QString::fromLatin1(names.background), systemColors, page);
    for (ColorListBox* box : {pane.color, pane.background})
        box->chooseCustomColor = [this](const QColor& initial) { return prompts_.chooseColor(initial); };
    grid->addWidget(label(QStringLiteral("フォント"), page), row, 0);
    grid->addWidget(pane.font, row, 1);
    grid->addWidget(pane.size, row, 3);
    grid->addWidget(pane.color, row + 1, 1);
    grid->addWidget(label(QStringLiteral("バック"), page), row + 1, 2);
    grid->addWidget(pane.background, row + 1, 3);
}

void SettingsDialog::buildTreePage() {
    QGridLayout* grid = nullptr;
    addPage("TabSheet3", QStringLiteral("Tree画面設定"), grid);
    rootButtons_ = addCheckBox(grid, 0, "CheckBoxTR1", QStringLiteral("ルート[+]ボタン表示"));
    treeLines_ = addCheckBox(grid, 1, "CheckBoxTR2", QStringLiteral("ライン 表示"));
    expandButtons_ = addCheckBox(grid, 2, "CheckBoxTR3", QStringLiteral("[+]ボタン表示"));
    addPaneControls(grid, 3, tree_, {"ComboBoxTR4", "EditTR5", "UpDown2", "ColorBoxTR6", "ColorBoxTR7"}, true);
    tree_.target = &outline_;
}

void SettingsDialog::buildMemoPage() {
    QGridLayout* grid = nullptr;
    QWidget* page = addPage("TabSheet4", QStringLiteral("メモ画面設定"), grid);
    addPaneControls(grid, 0, memo_, {"ComboBoxM1", "EditM2", "UpDown3", "ColorBoxM3", "ColorBoxM4"}, false);
    memo_.target = &editor_;
    tabWidth_ = new SteppedNumberField(QStringLiteral("EditM5"), QStringLiteral("UpDown4"), 1, 8, page);
    grid->addWidget(label(QStringLiteral("TAB幅"), page), 2, 0);
    grid->addWidget(tabWidth_, 2, 1);
    tabInput_ = new ReleaseCheckBox(QStringLiteral("CheckBox4"), QStringLiteral("TAB 入力 (ON=入力）"), page);
    wordWrap_ =
        new ReleaseCheckBox(QStringLiteral("CheckBox3"), QStringLiteral("ドキュメントの折り返し (ON=折り返し)"), page);
    grid->addWidget(tabInput_, 3, 0, 1, 4);
    grid->addWidget(wordWrap_, 4, 0, 1, 4);
}

void SettingsDialog::buildLowerPage() {
    QGridLayout* grid = nullptr;
    QWidget* page = addPage("TabSheet5", QStringLiteral("下段メモ画面設定"), grid);
    addPaneControls(grid, 0, lower_, {"ComboBoxAM1", "EditAM2", "UpDown5", "ColorBoxAM3", "ColorBoxAM4"}, false);
    lower_.target = &lowerPane_;
    followEditor_ =
        new ReleaseCheckBox(QStringLiteral("CheckBoxAM5"), QStringLiteral("編集画面との連動 (ON=連動する）"), page);
    grid->addWidget(followEditor_, 2, 0, 1, 4);
}

void SettingsDialog::buildOthersPage() {
    QGridLayout* grid = nullptr;
    QWidget* page = addPage("TabSheet6", QStringLiteral("その他"), grid);
    printProgram_ = new QLineEdit(page);
    printProgram_->setObjectName(QStringLiteral("EditPrinE1"));
    printProgram_->setReadOnly(true);
    printProgram_->setMinimumWidth(240);
    auto* choose = new QPushButton(QStringLiteral("…"), page);
    choose->setObjectName(QStringLiteral("Button3"));
    choose->setAutoDefault(false);
    choose->setFixedWidth(28);
    connect(choose, &QPushButton::clicked, this, &SettingsDialog::choosePrintProgram);
    grid->addWidget(label(QStringLiteral("印刷プログラム"), page), 0, 0);
    grid->addWidget(printProgram_, 0, 1);
    grid->addWidget(choose, 0, 2);
}

void SettingsDialog::choosePrintProgram() {
    // Programs carry no extension here: every file is offered.
    const QString path = prompts_.openFileName(QStringLiteral("印刷プログラム指定"), QStringLiteral("印刷プログラム|*"),
                                               dialogDirectory_);
    if (path.isEmpty()) return;
    // A path is a name on the disk: it is stored as it is, or not at all.
    const rn::EncodeResult stored = rn::Utf8ToCp932(toUtf8(path));
    if (!stored.ok) {
        prompts_.warn(QStringLiteral("[ %1 ]の中に Shift-JIS で保存できない文字 [%2] があります。")
                          .arg(path, fromUtf8(rn::CharacterName(stored.firstBad))));
        return;
    }
    printProgram_->setText(path);
}

QValidator* SettingsDialog::storableText() {
    // Told once the field has taken the rest of the text, not in the middle of its key handling.
    return new StorableTextValidator(
        [this](const QString& message) { QTimer::singleShot(0, this, [this, message] { prompts_.warn(message); }); },
        this);
}

void SettingsDialog::showModal() {
    rn::ClearStatus();
    rememberShown();
    loadFromRecord();
    pageList_->expandAll();
    const QRect host = parentWidget() ? parentWidget()->frameGeometry() : geometry();
    move(host.center() - QPoint(width() / 2, height() / 2));
    exec();
}

void SettingsDialog::loadPane(PaneControls& pane, const rn::PaneFontSettings& from) {
    pane.font->setCurrentText(fromUtf8(from.FontName));
    pane.size->setValue(from.FontSize);
    const QPalette shown = pane.target->palette();
    pane.color->load(from.FontColorI, from.FontColor, shown.color(QPalette::Text));
    pane.background->load(from.FontBColorI, from.FontBColor, shown.color(QPalette::Base));
}

void SettingsDialog::storePane(const PaneControls& pane, rn::PaneFontSettings& into) {
    into.FontName = toUtf8(pane.font->currentText());
    into.FontSize = pane.size->value();
    into.FontColor = pane.color->colorText();
    into.FontColorI = pane.color->position();
    into.FontBColor = pane.background->colorText();
    into.FontBColorI = pane.background->position();
}

void SettingsDialog::loadFromRecord() {
    // The main window already shows the record: loading previews nothing.
    loading_ = true;
    const rn::Settings& s = settings_;
    userName_->setText(fromUtf8(s.Ramblenote.User));
    historyCount_->setValue(s.Ramblenote.TreeHistory);
    treeOpen_->setChecked(s.Start.TreeOpen);
    docMovement_->setChecked(s.Start.DocMovement);
    resident_->setChecked(s.Ramblenote.ExePConSW);
    rootButtons_->setChecked(s.Tree.Root);
    treeLines_->setChecked(s.Tree.Line);
    expandButtons_->setChecked(s.Tree.Button);
    loadPane(tree_, s.Tree);
    loadPane(memo_, s.Memo);
    loadPane(lower_, s.AddMemo);
    tabWidth_->setValue(s.Memo.TabSize);
    tabInput_->setChecked(s.Memo.TabIn);
    wordWrap_->setChecked(s.Memo.WordWrap);
    followEditor_->setChecked(s.AddMemo.ILSW);
    printProgram_->setText(fromUtf8(s.Others.PrintName));
    loading_ = false;
}

void SettingsDialog::storeIntoRecord() {
    rn::Settings& s = settings_;
    s.Ramblenote.User = toUtf8(userName_->text());
    s.Ramblenote.TreeHistory = historyCount_->value();
    s.Start.TreeOpen = treeOpen_->isChecked();
    s.Start.DocMovement = docMovement_->isChecked();
    s.Ramblenote.ExePConSW = resident_->isChecked();
    s.Tree.Root = rootButtons_->isChecked();
    s.Tree.Line = treeLines_->isChecked();
    s.Tree.Button = expandButtons_->isChecked();
    storePane(tree_, s.Tree);
    storePane(memo_, s.Memo);
    storePane(lower_, s.AddMemo);
    s.Memo.TabSize = tabWidth_->value();
    s.Memo.TabIn = tabInput_->isChecked();
    s.Memo.WordWrap = wordWrap_->isChecked();
    s.AddMemo.ILSW = followEditor_->isChecked();
    s.Others.PrintName = toUtf8(printProgram_->text());
}

void SettingsDialog::confirm() {
    storeIntoRecord();
    applySettings_();
    QDialog::accept();
    rn::ShowStatus("設定内容を反映しました");
}

void SettingsDialog::reject() {
    restoreShown();
    QDialog::reject();
    rn::ShowStatus("設定内容をキャンセルしました");
}

}  // namespace rn::gui

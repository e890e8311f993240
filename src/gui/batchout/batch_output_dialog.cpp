// SPDX-License-Identifier: MIT
#include "gui/batchout/batch_output_dialog.h"
#include "gui/dialog_frame.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/batchout/heading_numberer.h"
#include "core/notices.h"
#include "core/outline/document.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"
#include "gui/batchout/progress_status_bar.h"
#include "gui/editor/body_text_edit.h"
#include "gui/gui_notices.h"
#include "gui/outline/outline_model.h"
#include "gui/outline/outline_view.h"
#include "gui/prompts.h"
#include "gui/qt_text.h"
#include "gui/settings/dialog_widgets.h"
#include "gui/storable_text.h"

namespace rn::gui {
namespace {

constexpr int kClientWidth = 486;
constexpr int kClientHeight = 523;
constexpr int kTreeWidth = 160;
constexpr int kStepLowest = 0;
constexpr int kStepHighest = 100;
constexpr int kPageLengthWhenOff = 50;

QFont dialogFont() {
    QFont f(QStringLiteral("ＭＳ 明朝"));
    f.setPixelSize(12);
    return f;
}

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

std::string cp932Of(const QString& text) {
    const std::u16string_view wide(reinterpret_cast<const char16_t*>(text.utf16()),
                                   static_cast<std::size_t>(text.size()));
    return rn::Utf16ToCp932(wide).bytes;
}

// A few characters have two CP932 codes: text that still reads as the stored bytes keeps them.
void keepOrEncode(std::string& bytes, const QString& text) {
    if (fromCp932(bytes) != text) bytes = cp932Of(text);
}

// The program's notices inside the dialog: texts go to the dialog's own status line, and a box
// shown during a run gets the normal arrow rather than the busy cursor.
class DialogNotices : public GuiNotices {
public:
    using GuiNotices::GuiNotices;
    void MessageBox(const std::string& text) override {
        withArrow([&] { GuiNotices::MessageBox(text); });
    }
    void ErrorBox(const std::string& text) override {
        withArrow([&] { GuiNotices::ErrorBox(text); });
    }
    void WarningBox(const std::string& text) override {
        withArrow([&] { GuiNotices::WarningBox(text); });
    }
    void AbortBox(const std::string& text) override {
        withArrow([&] { GuiNotices::AbortBox(text); });
    }
    bool AskYesNo(const std::string& text) override {
        bool yes = false;
        withArrow([&] { yes = GuiNotices::AskYesNo(text); });
        return yes;
    }
    bool AskYesCancel(const std::string& text) override {
        bool yes = false;
        withArrow([&] { yes = GuiNotices::AskYesCancel(text); });
        return yes;
    }

private:
    template <typename F>
    static void withArrow(F show) {
        const bool busy = QApplication::overrideCursor() != nullptr;
        if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
        show();
        if (busy) QApplication::restoreOverrideCursor();
    }
};

template <std::size_t N>
QStringList texts(const std::array<std::string_view, N>& items) {
    QStringList out;
    for (std::string_view item : items)
        out << QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
    return out;
}

template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// Dependent controls keep their place when hidden, so nothing below them jumps.
void keepPlaceWhenHidden(std::initializer_list<QWidget*> widgets) {
    for (QWidget* w : widgets) {
        QSizePolicy p = w->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        w->setSizePolicy(p);
    }
}

void setShown(std::initializer_list<QWidget*> widgets, bool shown) {
    for (QWidget* w : widgets)
        w->setVisible(shown);
}

QHBoxLayout* row(QVBoxLayout* column, std::initializer_list<QWidget*> widgets, bool stretchAtEnd = true) {
    auto* r = new QHBoxLayout;
    r->setSpacing(4);
    for (QWidget* w : widgets)
        r->addWidget(w);
    if (stretchAtEnd) r->addStretch(1);
    column->addLayout(r);
    return r;
}

}  // namespace

BatchOutputDialog::BatchOutputDialog(QWidget* owner, Prompts& prompts, const Source& source)
    : QDialog(owner), prompts_(prompts), settingsPath_(source.settingsPath) {
    setObjectName(QStringLiteral("BTxtOutF"));
    setWindowTitle(u("ﾃｷｽﾄ一括出力"));
    setTitleBarButtons(*this, TitleBarButtons::CloseOnly);
    setModal(true);
    setFont(dialogFont());
    buildWidgets();

    // What the core reports while the dialog is open belongs to the dialog's status line.
    notices_ = std::make_unique<DialogNotices>(prompts_, [this](const QString& t) { setStatus(t); });
    noticesScope_ = std::make_unique<rn::ScopedNotices>(notices_.get());

    // Opening: the Tree file, the fields, the tree, the settings, the controls, the lists.
    const rn::Document& doc = *source.doc;
    treeFile_ = doc.treeFile;
    treeDir_ = doc.treeDir;
    documentOpen_ = doc.IsOpen();
    busy_ = false;
    inputLabel_->setText(u("入力 --- ") + fromUtf8(treeFile_));
    outputEdit_->clear();
    startEdit_->setText(u("全て"));
    copyOutline(doc.outline, source.outlineView);
    connectHandlers();
    loadSettings();
    refreshLists();
    saveDirectory_ = fromUtf8(rn::DirectoryOf(treeFile_));
}

BatchOutputDialog::~BatchOutputDialog() {
    // The program leaving while the dialog is open still keeps what was set.
    if (!settingsSaved_) saveSettings();
    treeView_->setModel(nullptr);
    delete treeModel_;
}

void BatchOutputDialog::buildWidgets() {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setChildrenCollapsible(false);

    auto* treePanel = new QWidget(splitter_);
    treePanel->setObjectName(QStringLiteral("TreePanel"));
    auto* treeLayout = new QVBoxLayout(treePanel);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeView_ = new OutlineView(treePanel);  // named TreeView1 like the main window's
    treeView_->setDragEnabled(false);
    treeView_->setAcceptDrops(false);
    treeView_->setDragDropMode(QAbstractItemView::NoDragDrop);
    treeView_->setContextMenuPolicy(Qt::NoContextMenu);
    treeLayout->addWidget(treeView_);
    splitter_->addWidget(treePanel);
    splitter_->addWidget(buildControls(splitter_));
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);

    statusBar_ = new ProgressStatusBar(this);
    column->addWidget(splitter_, 1);
    column->addWidget(statusBar_, 0);
    resize(kClientWidth, kClientHeight);
    splitter_->setSizes({kTreeWidth, kClientWidth - kTreeWidth});
}

QWidget* BatchOutputDialog::buildControls(QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("ControlPanel"));
    auto* c = new QVBoxLayout(panel);
    c->setContentsMargins(6, 4, 6, 4);
    c->setSpacing(3);
    auto label = [&](const char* name, const char* text) { return named(new QLabel(u(text), panel), name); };
    auto check = [&](const char* name, const char* text) { return named(new QCheckBox(u(text), panel), name); };
    auto edit = [&](const char* name) { return named(new QLineEdit(panel), name); };
    auto button = [&](const char* name, const char* text) {
        auto* b = named(new QPushButton(u(text), panel), name);
        b->setAutoDefault(false);  // Return in a field starts nothing
        return b;
    };
    auto smallButton = [&](const char* name) {
        auto* b = named(new QToolButton(panel), name);
        b->setText(u("･･･"));
        b->setFocusPolicy(Qt::StrongFocus);  // a click leaves the path field, which prepares the path
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);  // as tall as the field beside it
        return b;
    };
    auto combo = [&](const char* name, const QStringList& items) {
        auto* box = named(new QComboBox(panel), name);
        box->addItems(items);
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        // Never narrower than its longest item: on a small screen or with a large font the dialog
        // grows rather than clip the style names.
        box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        return box;
    };
    // Digits may be typed as well as stepped with the arrows (0..100).
    auto number = [&](const char* name, const char* arrowsName, QLineEdit*& field) {
        auto* stepped = new SteppedNumberField(u(name), u(arrowsName), kStepLowest, kStepHighest, panel);
        field = stepped->field();
        field->setReadOnly(false);
        field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,6}")), field));
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 8);
        return stepped;
    };

    inputLabel_ = label("Label1", "入力 --- ");
    inputLabel_->setTextFormat(Qt::PlainText);
    inputLabel_->setWordWrap(true);
    c->addWidget(inputLabel_);

    outputLabel_ = label("Label2", "出力 --- ");
    outputEdit_ = edit("Edit1");
    outputButton_ = smallButton("Button1");
    row(c, {outputLabel_, outputEdit_, outputButton_}, false);

    allCheck_ = check("CheckBox1", "ALL");
    allCheck_->setChecked(true);
    startLabel_ = label("Label3", "出力ノード --- ");
    startEdit_ = edit("Edit2");
    startEdit_->setReadOnly(true);  // shows the start node; chosen in the tree, never typed
    row(c, {allCheck_});
    row(c, {startLabel_, startEdit_}, false);

    styleLabel_ = label("Label4", "段落 ---------- ");
    styleCombo_ = combo("ComboBox1", texts(rn::NumberingStyleTexts()));
    row(c, {styleLabel_, styleCombo_});
    levelCombo_ = combo("ComboBox2", {u("階層1"), u("階層2"), u("階層3"), u("階層4"), u("階層5")});
    formatCombo_ = combo("ComboBox3", texts(rn::UserFormatTexts()));
    formatCombo_->setMaxVisibleItems(10);
    keepPlaceWhenHidden({levelCombo_, formatCombo_});
    row(c, {levelCombo_, formatCombo_});

    deeperGroup_ = named(new QGroupBox(u("6階層目以降の編集方法"), panel), "RadioGroup1");
    auto* deeperRow = new QHBoxLayout(deeperGroup_);
    deeperRow->setContentsMargins(6, 2, 6, 2);
    deeperButtons_ = new QButtonGroup(deeperGroup_);
    for (const char* caption : {"なし", "5階層と同一編集"}) {
        auto* radio = new QRadioButton(u(caption), deeperGroup_);
        deeperButtons_->addButton(radio, static_cast<int>(deeperButtons_->buttons().size()));
        deeperRow->addWidget(radio);
    }
    deeperRow->addStretch(1);
    deeperButtons_->button(0)->setChecked(true);
    c->addWidget(deeperGroup_);

    separatorCheck_ = check("CheckBox5", "区切り文字挿入");
    separatorLabel_ = label("Label7", "区切り文字 ------- ");
    separatorEdit_ = edit("Edit3");
    separatorEdit_->setText(u("．"));
    row(c, {separatorCheck_});
    row(c, {separatorLabel_, separatorEdit_});

    indentCheck_ = check("CheckBox4", "インデント文字挿入");
    indentLabel_ = label("Label5", "インデント文字 --- ");
    indentEdit_ = edit("Edit4");
    indentEdit_->setText(QStringLiteral("TAB"));
    indentHint_ = label("Label6", "(TAB=タブ)");
    indentMaxLabel_ = label("Label9", "MaxインデントSet数 --- ");
    indentMax_ = number("SpinEdit2", "UpDown1", indentMaxEdit_);
    bodyIndentCheck_ = check("CheckBox6", "本文･インデント追加");
    row(c, {indentCheck_});
    row(c, {indentLabel_, indentEdit_, indentHint_});
    row(c, {indentMaxLabel_, indentMax_});
    row(c, {bodyIndentCheck_});
    for (QLineEdit* e : {separatorEdit_, indentEdit_}) {
        e->setValidator(new StorableTextValidator([](const QString& message) { rn::ShowStatus(toUtf8(message)); }, e));
        e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMMM")));
    }

    pageCheck_ = check("CheckBox2", "改ページ挿入");
    pageCheck_->setChecked(true);
    pageLabel_ = label("Label8", "改ページ行数 --- ");
    pageLength_ = number("SpinEdit1", "UpDown2", pageEdit_);
    row(c, {pageCheck_});
    row(c, {pageLabel_, pageLength_});

    separatorMemo_ = named(new BodyTextEdit(panel), "Memo1");
    separatorMemo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    separatorMemo_->setTabChangesFocus(true);  // Tab moves on, as in every other field of the dialog
    separatorMemo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    separatorMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Three lines of text in sight, beside the frame, the margins and the horizontal scroll bar.
    separatorMemo_->setMinimumHeight(3 * separatorMemo_->fontMetrics().lineSpacing() +
                                     2 * static_cast<int>(separatorMemo_->document()->documentMargin()) +
                                     2 * separatorMemo_->frameWidth() +
                                     separatorMemo_->horizontalScrollBar()->sizeHint().height());
    c->addWidget(separatorMemo_, 1);

    tocCheck_ = check("CheckBox3", "目次作成");
    tocEdit_ = edit("Edit5");
    tocButton_ = smallButton("Button2");
    row(c, {tocCheck_});
    row(c, {tocEdit_, tocButton_}, false);

    runButton_ = button("Edit", "テキスト一括出力");
    cancelButton_ = button("Button3", "キャンセル");
    auto* buttons = row(c, {runButton_}, true);
    buttons->addWidget(cancelButton_);

    keepPlaceWhenHidden({separatorLabel_, separatorEdit_, indentLabel_, indentEdit_, indentHint_, indentMaxLabel_,
                         indentMax_, bodyIndentCheck_, pageLabel_, pageLength_, tocEdit_, tocButton_});
    // The form's own state before any setting is applied: every switch off but page breaks.
    setShown({separatorLabel_, separatorEdit_}, false);
    setShown({indentLabel_, indentEdit_, indentHint_, indentMaxLabel_, indentMax_, bodyIndentCheck_}, false);
    setShown({tocEdit_, tocButton_}, false);
    return panel;
}

void BatchOutputDialog::connectHandlers() {
    connect(treeView_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { onTreeSelectionChanged(); });
    connect(allCheck_, &QCheckBox::toggled, this, &BatchOutputDialog::onAllToggled);
    connect(outputButton_, &QToolButton::clicked, this, &BatchOutputDialog::chooseOutputFile);
    connect(tocButton_, &QToolButton::clicked, this, &BatchOutputDialog::chooseTocFile);
    outputEdit_->installEventFilter(this);
    tocEdit_->installEventFilter(this);

    connect(styleCombo_, &QComboBox::currentIndexChanged, this, [this](int i) {
        settings_.OUTLIN = i + 1;
        refreshLists();
    });
    connect(levelCombo_, &QComboBox::currentIndexChanged, this, [this](int level) {
        const QSignalBlocker quiet(formatCombo_);
        formatCombo_->setCurrentIndex(settings_.OUTLINE[static_cast<std::size_t>(level)] - 1);
    });
    connect(formatCombo_, &QComboBox::currentIndexChanged, this, [this](int i) {
        settings_.OUTLINE[static_cast<std::size_t>(qMax(0, levelCombo_->currentIndex()))] = i + 1;
    });
    connect(deeperButtons_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on) settings_.OUTEDIT6 = id;
    });

    connect(separatorCheck_, &QCheckBox::toggled, this, [this](bool on) {
        settings_.KUGISW = on;
        setShown({separatorLabel_, separatorEdit_}, on);
    });
    connect(separatorEdit_, &QLineEdit::textChanged, this,
            [this](const QString& text) { keepOrEncode(settings_.KUGIRI, text); });
    connect(indentCheck_, &QCheckBox::toggled, this, [this](bool on) {
        settings_.INDSW = on;
        setShown({indentLabel_, indentHint_, indentMaxLabel_, indentEdit_, indentMax_, bodyIndentCheck_}, on);
    });
    connect(indentEdit_, &QLineEdit::textChanged, this,
            [this](const QString& text) { keepOrEncode(settings_.INDENT, text); });
    connect(indentMaxEdit_, &QLineEdit::textChanged, this,
            [this] { settings_.INDMAX = indentMaxEdit_->text().toInt(); });
    connect(indentMaxEdit_, &QLineEdit::editingFinished, this, [this] {
        if (indentMaxEdit_->text().isEmpty()) indentMaxEdit_->setText(QStringLiteral("0"));
    });
    connect(bodyIndentCheck_, &QCheckBox::toggled, this, [this](bool on) { settings_.INDADDSW = on; });
    connect(pageCheck_, &QCheckBox::toggled, this, &BatchOutputDialog::onPageBreaksToggled);
    connect(pageEdit_, &QLineEdit::textChanged, this, &BatchOutputDialog::onPageLengthEdited);
    connect(pageEdit_, &QLineEdit::editingFinished, this, [this] {
        if (pageEdit_->text().isEmpty()) pageEdit_->setText(QStringLiteral("0"));
    });
    connect(tocCheck_, &QCheckBox::toggled, this, &BatchOutputDialog::onTocToggled);
    connect(separatorMemo_, &BodyTextEdit::refused, this,
            [](const QString& message) { rn::ShowStatus(toUtf8(message)); });

    connect(runButton_, &QPushButton::clicked, this, &BatchOutputDialog::runOutput);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void BatchOutputDialog::copyOutline(const rn::Outline& from, const OutlineView* fromView) {
    std::vector<rn::Node*> lastAtLevel;
    for (const rn::Node* n : from.Preorder()) {
        const auto level = static_cast<std::size_t>(from.IndexedLevelOf(n));
        rn::Node* parent = level == 0 ? nullptr : lastAtLevel[level - 1];
        if (lastAtLevel.size() <= level) lastAtLevel.resize(level + 1);
        lastAtLevel[level] = outline_.AppendChild(parent, n->text, n->kind);
    }
    nodes_ = rn::FlattenOutline(outline_);
    treeModel_ = new OutlineModel(outline_);
    treeView_->setModel(treeModel_);
    if (!fromView) return;
    treeView_->setShowLines(fromView->showLines());
    treeView_->setShowButtons(fromView->showButtons());
    // The branches open in the main window are open here too.
    const auto* fromModel = qobject_cast<const OutlineModel*>(fromView->model());
    if (!fromModel) return;
    const auto& original = from.Preorder();
    const auto& copy = outline_.Preorder();
    for (std::size_t i = 0; i < original.size() && i < copy.size(); ++i) {
        if (original[i]->children.empty() || !fromView->isExpanded(fromModel->indexOf(original[i]))) continue;
        treeView_->setExpanded(treeModel_->indexOf(copy[i]), true);
    }
}

void BatchOutputDialog::loadSettings() {
    settings_ = rn::ReadBatchOutputSettings(settingsPath_, true);
    // Each value goes through its control, as a click or an edit by the user would.
    const rn::BatchOutputSettings stored = settings_;
    deeperButtons_->button(stored.OUTEDIT6 == 1 ? 1 : 0)->setChecked(true);
    separatorCheck_->setChecked(stored.KUGISW);
    indentCheck_->setChecked(stored.INDSW);
    bodyIndentCheck_->setChecked(stored.INDADDSW);
    pageCheck_->setChecked(stored.PAGE);  // off: the page length becomes 50
    tocCheck_->setChecked(stored.MOKUJI);
    separatorEdit_->setText(fromCp932(stored.KUGIRI));
    indentEdit_->setText(fromCp932(stored.INDENT));
    indentMaxEdit_->setText(QString::number(stored.INDMAX));
    pageEdit_->setText(QString::number(settings_.PAGEL));
    loadedSeparators_ = stored.SEPA;
    QStringList lines;
    for (const std::string& line : stored.SEPA)
        lines << fromCp932(line);
    // Every line ends with a line break, so that an empty last line stays a line.
    separatorMemo_->setPlainText(lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

std::vector<std::string> BatchOutputDialog::separatorLines() const {
    QStringList lines = separatorMemo_->toPlainText().split(QLatin1Char('\n'));
    // The empty line after a final line break is no line.
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        std::string bytes = at < loadedSeparators_.size() ? loadedSeparators_[at] : std::string();
        keepOrEncode(bytes, lines[i]);
        out.push_back(std::move(bytes));
    }
    return out;
}

void BatchOutputDialog::saveSettings() {
    settingsSaved_ = true;
    settings_.SEPA = separatorLines();
    rn::WriteBatchOutputSettings(settingsPath_, settings_);
}

void BatchOutputDialog::refreshLists() {
    const QSignalBlocker quietStyle(styleCombo_);
    const QSignalBlocker quietLevel(levelCombo_);
    const QSignalBlocker quietFormat(formatCombo_);
    styleCombo_->setCurrentIndex(settings_.OUTLIN - 1);
    const bool user = settings_.OUTLIN == rn::kStyleUser;
    if (user) {
        levelCombo_->setCurrentIndex(0);
        formatCombo_->setCurrentIndex(settings_.OUTLINE[0] - 1);
    }
    setShown({levelCombo_, formatCombo_}, user);
}

void BatchOutputDialog::setStatus(const QString& text) {
    statusBar_->setText(text);
}

QString BatchOutputDialog::statusText() const {
    return statusBar_->text();
}

QProgressBar* BatchOutputDialog::progressBar() const {
    return statusBar_->progressBar();
}

void BatchOutputDialog::setStartNode(const rn::Node* node) {
    start_ = rn::StartNode{node->text, outline_.IndexedLevelOf(node) + 1};
    startEdit_->setText(fromCp932(node->text));
    setStatus(u("第") + QString::number(start_->level) + u("階層"));
}

void BatchOutputDialog::onTreeSelectionChanged() {
    if (busy_ || allCheck_->isChecked()) return;
    const rn::Node* node = treeModel_->nodeAt(treeView_->currentIndex());
    if (!node) return;
    setStartNode(node);
}

void BatchOutputDialog::onAllToggled(bool checked) {
    if (checked) {
        startEdit_->setText(u("全て"));
        return;
    }
    if (outline_.Empty()) {
        // No node to start from: the whole (empty) outline stays the choice.
        prompts_.beep();
        const QSignalBlocker quiet(allCheck_);
        allCheck_->setChecked(true);
        return;
    }
    // The start node is the one the tree shows chosen: the current one, or else the first.
    QModelIndex start = treeView_->currentIndex();
    if (!start.isValid()) start = treeModel_->indexOf(outline_.At(0));
    treeView_->selectionModel()->setCurrentIndex(start, QItemSelectionModel::ClearAndSelect);
    setStartNode(treeModel_->nodeAt(start));
}

void BatchOutputDialog::chooseOutputFile() {
    const QString path = outputEdit_->text();
    saveDirectory_ = path.isEmpty() ? fromUtf8(rn::DirectoryOf(treeFile_)) : fromUtf8(rn::DirectoryOf(toUtf8(path)));
    const QString chosen = prompts_.saveFileName(u("一括出力"), u("テキスト|*.TXT"), saveDirectory_, u("TXT"));
    if (chosen.isEmpty()) return;
    outputEdit_->setText(chosen);
    rn::CreateEmptyFile(toUtf8(chosen));
}

void BatchOutputDialog::chooseTocFile() {
    const QString chosen = prompts_.saveFileName(u("一括出力"), u("テキスト|*.TXT"), saveDirectory_, u("TXT"));
    if (chosen.isEmpty()) return;
    tocEdit_->setText(chosen);
    rn::CreateEmptyFile(toUtf8(chosen));
    setStatus(QString());
}

void BatchOutputDialog::prepareOutputField(QLineEdit* field, rn::OutputField which) {
    if (rn::PrepareOutputPath(toUtf8(field->text()), which) == rn::PrepareResult::kTooShort) field->clear();
}

void BatchOutputDialog::onPageBreaksToggled(bool checked) {
    settings_.PAGE = checked;
    if (!checked) {
        settings_.PAGEL = kPageLengthWhenOff;
        pageEdit_->setText(QString::number(kPageLengthWhenOff));
    }
    setShown({pageLabel_, pageLength_}, checked);
}

void BatchOutputDialog::onPageLengthEdited() {
    const int value = pageEdit_->text().toInt();  // empty: 0
    if (value >= 1) {
        settings_.PAGEL = value;
        return;
    }
    settings_.PAGEL = 0;
    // An emptied field is left for typing; "0" comes back when the field is left.
    if (!pageEdit_->text().isEmpty() && pageEdit_->text() != QStringLiteral("0"))
        pageEdit_->setText(QStringLiteral("0"));
}

void BatchOutputDialog::onTocToggled(bool checked) {
    settings_.MOKUJI = checked;
    setShown({tocEdit_, tocButton_}, checked);
    setStatus(checked ? u("目次ファイル(*.TXT)を指定して下さい") : QString());
}

void BatchOutputDialog::done(int result) {
    if (busy_) return;  // a run ends before the dialog can close
    closing_ = true;
    if (!settingsSaved_) saveSettings();
    QDialog::done(result);
}

void BatchOutputDialog::closeEvent(QCloseEvent* event) {
    if (busy_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool BatchOutputDialog::eventFilter(QObject* watched, QEvent* event) {
    if (busy_ && isInputForThisDialog(watched, event)) return true;
    if (event->type() == QEvent::FocusOut && !closing_ && !busy_ && (watched == outputEdit_ || watched == tocEdit_)) {
        // Leaving the field for another control of the dialog, not the dialog losing the focus.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == outputEdit_)
                prepareOutputField(outputEdit_, rn::OutputField::kOutput);
            else
                prepareOutputField(tocEdit_, rn::OutputField::kToc);
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace rn::gui

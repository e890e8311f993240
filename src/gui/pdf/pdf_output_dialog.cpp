// SPDX-License-Identifier: MIT
#include "gui/pdf/pdf_output_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "core/batchout/output_guard.h"
#include "core/layout/layout_setting.h"
#include "core/notices.h"
#include "core/outline/document.h"
#include "core/outline/outline.h"
#include "core/storage/files.h"
#include "gui/dialog_frame.h"
#include "gui/prompts.h"
#include "gui/qt_text.h"
#include "pages/pdf_output.h"

namespace rn::gui {
namespace {

constexpr int kPreviewWidth = 420;
constexpr int kPreviewDelayMs = 120;  // typing a grid size redraws once, not per key
constexpr int kProgressDelayMs = 400;
constexpr int kRepaintIntervalMs = 50;

const rn::LayoutKind kLayoutKinds[] = {rn::LayoutKind::kManuscript, rn::LayoutKind::kA4Vertical,
                                       rn::LayoutKind::kA4Horizontal, rn::LayoutKind::kUser};

QString withoutExtension(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

}  // namespace

PdfOutputDialog::PdfOutputDialog(QWidget* owner, Prompts& prompts, const Source& source)
    : QDialog(owner), prompts_(prompts), source_(source) {
    setObjectName(QStringLiteral("PdfOutputDialog"));
    setWindowTitle(QStringLiteral("PDF出力"));
    setTitleBarButtons(*this, TitleBarButtons::CloseOnly);
    nodes_ = rn::FlattenOutline(source_.doc->outline);
    if (source_.selected) selectedIndex_ = static_cast<std::size_t>(source_.doc->outline.IndexOf(source_.selected));
    if (!source_.numberingPath.empty() && rn::FileExists(source_.numberingPath))
        numbering_ = rn::ReadBatchOutputSettings(source_.numberingPath, false);
    buildWidgets();
    selectLayout(rn::ReadPdfLayout(source_.settingsPath));
    setProposedOutput();
    showPreview();
}

void PdfOutputDialog::buildWidgets() {
    auto* scopeBox = new QGroupBox(QStringLiteral("出力するもの"), this);
    auto* scopeLayout = new QVBoxLayout(scopeBox);
    scopeGroup_ = new QButtonGroup(this);
    const QString nodeName = source_.selected ? fromCp932(source_.selected->text) : QString();
    const struct {
        const char* name;
        QString text;
        rn::ManuscriptScope scope;
    } scopes[] = {
        {"PdfScopeNode", QStringLiteral("選択ノードの本文「%1」").arg(nodeName), rn::ManuscriptScope::kNode},
        {"PdfScopeBranch", QStringLiteral("選択ノード以下「%1」").arg(nodeName), rn::ManuscriptScope::kBranch},
        {"PdfScopeDocument", QStringLiteral("文書全体（ゴミ箱を除く）"), rn::ManuscriptScope::kDocument},
    };
    for (const auto& s : scopes) {
        auto* button = new QRadioButton(s.text, scopeBox);
        button->setObjectName(QString::fromLatin1(s.name));
        // A folder has no body of its own to print.
        const bool possible =
            s.scope == rn::ManuscriptScope::kDocument ||
            (source_.selected && (s.scope == rn::ManuscriptScope::kBranch || source_.selected->IsText()));
        button->setEnabled(possible);
        scopeGroup_->addButton(button, static_cast<int>(s.scope));
        scopeLayout->addWidget(button);
    }
    scopeGroup_
        ->button(static_cast<int>(source_.selected ? rn::ManuscriptScope::kBranch : rn::ManuscriptScope::kDocument))
        ->setChecked(true);

    layoutBox_ = new QComboBox(this);
    layoutBox_->setObjectName(QStringLiteral("PdfLayout"));
    for (rn::LayoutKind kind : kLayoutKinds)
        layoutBox_->addItem(kind == rn::LayoutKind::kUser ? QStringLiteral("ユーザー指定")
                                                          : fromUtf8(rn::LayoutTitle(rn::PresetLayout(kind))));
    squaresBox_ = new QSpinBox(this);
    squaresBox_->setObjectName(QStringLiteral("PdfUserSquares"));
    linesBox_ = new QSpinBox(this);
    linesBox_->setObjectName(QStringLiteral("PdfUserLines"));
    for (QSpinBox* box : {squaresBox_, linesBox_})
        box->setRange(rn::kMinGridSize, rn::kMaxGridSize);
    squaresBox_->setSuffix(QStringLiteral(" 字"));
    linesBox_->setSuffix(QStringLiteral(" 行"));
    directionBox_ = new QComboBox(this);
    directionBox_->setObjectName(QStringLiteral("PdfUserDirection"));
    directionBox_->addItems({QStringLiteral("縦書き"), QStringLiteral("横書き")});
    auto* userRow = new QHBoxLayout;
    userRow->addWidget(squaresBox_);
    userRow->addWidget(new QLabel(QStringLiteral("×"), this));
    userRow->addWidget(linesBox_);
    userRow->addWidget(directionBox_);

    outputEdit_ = new QLineEdit(this);
    outputEdit_->setObjectName(QStringLiteral("PdfOutputPath"));
    auto* browse = new QPushButton(QStringLiteral("参照(&B)…"), this);
    browse->setObjectName(QStringLiteral("PdfBrowse"));
    auto* outputRow = new QHBoxLayout;
    outputRow->addWidget(outputEdit_, 1);
    outputRow->addWidget(browse);

    auto* form = new QFormLayout;
    auto* layoutLabel = new QLabel(QStringLiteral("レイアウト(&L)"), this);
    layoutLabel->setBuddy(layoutBox_);
    form->addRow(layoutLabel, layoutBox_);
    form->addRow(QStringLiteral("字数×行数"), userRow);
    auto* outputLabel = new QLabel(QStringLiteral("出力ファイル(&O)"), this);
    outputLabel->setBuddy(outputEdit_);
    form->addRow(outputLabel, outputRow);

    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("PdfPreview"));
    preview_->setMinimumSize(kPreviewWidth, kPreviewWidth * 297 / 210);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setFrameShape(QFrame::StyledPanel);
    previousButton_ = new QPushButton(QStringLiteral("< 前のページ"), this);
    previousButton_->setObjectName(QStringLiteral("PdfPreviousPage"));
    nextButton_ = new QPushButton(QStringLiteral("次のページ >"), this);
    nextButton_->setObjectName(QStringLiteral("PdfNextPage"));
    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName(QStringLiteral("PdfPageLabel"));
    pageLabel_->setAlignment(Qt::AlignCenter);
    auto* pageRow = new QHBoxLayout;
    pageRow->addWidget(previousButton_);
    pageRow->addWidget(pageLabel_, 1);
    pageRow->addWidget(nextButton_);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("PdfStatus"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(this);
    auto* run = buttons->addButton(QStringLiteral("出力(&P)"), QDialogButtonBox::AcceptRole);
    run->setObjectName(QStringLiteral("PdfRun"));
    auto* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("PdfClose"));

    auto* left = new QVBoxLayout;
    left->addWidget(scopeBox);
    left->addLayout(form);
    left->addStretch(1);
    left->addWidget(status_);
    left->addWidget(buttons);
    auto* right = new QVBoxLayout;
    right->addWidget(preview_, 1);
    right->addLayout(pageRow);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(right);

    previewTimer_ = new QTimer(this);
    previewTimer_->setSingleShot(true);
    previewTimer_->setInterval(kPreviewDelayMs);
    connect(previewTimer_, &QTimer::timeout, this, &PdfOutputDialog::showPreview);
    connect(scopeGroup_, &QButtonGroup::idClicked, this, [this] {
        previewPage_ = 1;
        // A path the user typed or chose stays; the proposed one follows what is written.
        if (outputEdit_->text() == proposedOutput_) setProposedOutput();
        showPreview();
    });
    connect(layoutBox_, &QComboBox::currentIndexChanged, this, [this] {
        refreshUserGrid();
        showPreview();
    });
    // A grid size may be typed digit by digit.
    for (QSpinBox* box : {squaresBox_, linesBox_})
        connect(box, &QSpinBox::valueChanged, this, &PdfOutputDialog::schedulePreview);
    connect(directionBox_, &QComboBox::currentIndexChanged, this, &PdfOutputDialog::showPreview);
    connect(previousButton_, &QPushButton::clicked, this, [this] {
        previewPage_ = std::max(1, previewPage_ - 1);
        showPreview();
    });
    connect(nextButton_, &QPushButton::clicked, this, [this] {
        ++previewPage_;
        showPreview();
    });
    connect(browse, &QPushButton::clicked, this, &PdfOutputDialog::browseOutput);
    connect(run, &QPushButton::clicked, this, &PdfOutputDialog::runOutput);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void PdfOutputDialog::selectLayout(const rn::PageLayout& layout) {
    const rn::PageLayout user = layout.kind == rn::LayoutKind::kUser ? layout : rn::PresetLayout(rn::LayoutKind::kUser);
    squaresBox_->setValue(user.grid.squares);
    linesBox_->setValue(user.grid.lines);
    directionBox_->setCurrentIndex(user.grid.vertical ? 0 : 1);
    layoutBox_->setCurrentIndex(static_cast<int>(
        std::find(std::begin(kLayoutKinds), std::end(kLayoutKinds), layout.kind) - std::begin(kLayoutKinds)));
    refreshUserGrid();
}

void PdfOutputDialog::refreshUserGrid() {
    const bool user = kLayoutKinds[layoutBox_->currentIndex()] == rn::LayoutKind::kUser;
    for (QWidget* w : std::initializer_list<QWidget*>{squaresBox_, linesBox_, directionBox_})
        w->setEnabled(user);
}

rn::PageLayout PdfOutputDialog::layout() const {
    const rn::LayoutKind kind = kLayoutKinds[layoutBox_->currentIndex()];
    if (kind != rn::LayoutKind::kUser) return rn::PresetLayout(kind);
    return *rn::UserLayout(squaresBox_->value(), linesBox_->value(), directionBox_->currentIndex() == 0);
}

rn::ManuscriptScope PdfOutputDialog::scope() const {
    return static_cast<rn::ManuscriptScope>(scopeGroup_->checkedId());
}

QString PdfOutputDialog::statusText() const {
    return status_->text();
}

rn::ManuscriptRequest PdfOutputDialog::request() const {
    rn::ManuscriptRequest r;
    r.nodes = nodes_;
    r.treeDir = source_.doc->treeDir;
    r.scope = scope();
    r.start = selectedIndex_;
    r.grid = layout().grid;
    r.numbering = numbering_;
    return r;
}

void PdfOutputDialog::setProposedOutput() {
    proposedOutput_ = defaultOutputPath();
    outputEdit_->setText(proposedOutput_);
}

QString PdfOutputDialog::defaultOutputPath() const {
    const QString dir = fromUtf8(source_.doc->treeDir);
    if (scope() == rn::ManuscriptScope::kDocument || !source_.selected)
        return dir + withoutExtension(QFileInfo(fromUtf8(source_.doc->treeFile)).fileName()) + QStringLiteral(".pdf");
    return dir + withoutExtension(fromCp932(source_.selected->text)) + QStringLiteral(".pdf");
}

void PdfOutputDialog::schedulePreview() {
    previewTimer_->start();
}

void PdfOutputDialog::showPreview() {
    previewTimer_->stop();
    pages::PdfJob job;
    job.pages = request();
    job.layout = layout();
    job.title = QFileInfo(outputEdit_->text()).completeBaseName();
    const pages::PreviewPage page = pages::previewPage(job, previewPage_, qRound(kPreviewWidth * devicePixelRatio()));
    if (page.image.isNull()) {
        preview_->setPixmap({});
        preview_->setText(page.error);
        status_->setText(page.error);
        previousButton_->setEnabled(false);
        nextButton_->setEnabled(false);
        return;
    }
    previewPage_ = page.number;
    QPixmap pixmap = QPixmap::fromImage(page.image);
    pixmap.setDevicePixelRatio(devicePixelRatio());
    preview_->setPixmap(pixmap);
    pageLabel_->setText(QStringLiteral("%1 ページ").arg(page.number));
    previousButton_->setEnabled(page.number > 1);
    nextButton_->setEnabled(page.hasNext);
}

void PdfOutputDialog::browseOutput() {
    const QString chosen = prompts_.saveFileName(QStringLiteral("PDF出力ファイル"), QStringLiteral("PDF (*.pdf)"),
                                                 outputEdit_->text(), QStringLiteral("pdf"));
    if (!chosen.isEmpty()) outputEdit_->setText(chosen);
}

// Empty when `path` may be written; else why not.
QString PdfOutputDialog::checkOutput(const std::string& path) const {
    if (path.empty() || path.front() != '/') return QStringLiteral("出力ファイルをフルパスで指定して下さい");
    if (rn::IsSpecialFile(path) || rn::DirectoryExists(path))
        return QStringLiteral("出力ファイル[%1]は通常のファイルではありません").arg(fromUtf8(path));
    // Replacing one of the document's own files would lose the outline or a body.
    return fromUtf8(rn::DocumentFileClash(path, source_.doc->treeFile, source_.doc->treeDir, nodes_));
}

void PdfOutputDialog::runOutput() {
    const std::string path = toUtf8(outputEdit_->text().trimmed());
    if (const QString refusal = checkOutput(path); !refusal.isEmpty()) {
        status_->setText(refusal);
        prompts_.warn(refusal);
        outputEdit_->setFocus();
        return;
    }
    if (rn::FileExists(path) &&
        !prompts_.askYesNo(QStringLiteral("%1 は既にあります。置き換えますか？").arg(fromUtf8(path))))
        return;
    pages::PdfJob job;
    job.pages = request();
    job.layout = layout();
    job.outputPath = path;
    job.title = QFileInfo(fromUtf8(path)).completeBaseName();

    QProgressDialog progress(QStringLiteral("PDFを書いています…"), QStringLiteral("中止"), 0, 0, this);
    progress.setObjectName(QStringLiteral("PdfProgress"));
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(kProgressDelayMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    QElapsedTimer clock;
    clock.start();
    qint64 lastUpdate = 0;
    const pages::PdfOutcome outcome = pages::writePdf(job, [&](int pages) {
        if (clock.elapsed() - lastUpdate < kRepaintIntervalMs) return !progress.wasCanceled();
        lastUpdate = clock.elapsed();
        progress.setLabelText(QStringLiteral("PDFを書いています… %1 ページ").arg(pages));
        // Before the progress dialog shows, only repaint: the outline must not change under the run.
        if (!progress.isVisible()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        progress.setValue(0);
        return !progress.wasCanceled();
    });
    progress.close();
    switch (outcome.result) {
        case pages::PdfResult::kCancelled:
            status_->setText(QStringLiteral("PDF出力はキャンセルされました"));
            return;
        case pages::PdfResult::kNoFont:
        case pages::PdfResult::kWriteFailed:
            status_->setText(outcome.error);
            prompts_.reportError(outcome.error);
            return;
        case pages::PdfResult::kDone:
            break;
    }
    // Printing uses the layout chosen last.
    if (!source_.settingsPath.empty()) rn::WritePdfLayout(source_.settingsPath, job.layout);
    QStringList missed;
    for (const auto* names : {&outcome.bodies.unreadable, &outcome.bodies.notRegular})
        for (const std::string& name : *names)
            missed << fromUtf8(name);
    const QString done = QStringLiteral("PDF出力しました（%1 ページ）：%2").arg(outcome.pages).arg(fromUtf8(path));
    status_->setText(done);
    rn::ShowStatus(toUtf8(done));
    if (!missed.isEmpty())
        prompts_.reportError(missed.join(QLatin1Char('\n')) +
                             QStringLiteral("\nこれらの本文は全部は出力されていません"));
}

}  // namespace rn::gui

// SPDX-License-Identifier: MIT
// The run of the batch output dialog: the engine writes, the dialog shows where it is. The window keeps
// repainting during a long run but takes no input until the run has ended.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QWindow>

#include "core/batchout/batch_output.h"
#include "gui/batchout/batch_output_dialog.h"
#include "gui/batchout/progress_status_bar.h"
#include "gui/gui_notices.h"
#include "gui/outline/outline_model.h"
#include "gui/outline/outline_view.h"
#include "gui/qt_text.h"
#include "gui/user_input.h"

namespace rn::gui {

// Selection, progress bar and status text follow the engine at most every 50 ms; the last node is
// always shown. Between updates the dialog does not touch the screen at all.
class BatchRunProgress : public rn::BatchOutputObserver {
public:
    explicit BatchRunProgress(BatchOutputDialog& dialog) : d_(dialog) {}

    void SetBusy(bool busy) override { d_.setBusy(busy); }

    void ProgressStart(int total) override {
        QProgressBar* bar = d_.progressBar();
        bar->setRange(0, total);
        bar->setValue(0);
        bar->show();
        clock_.start();
        shownOnce_ = false;
    }

    void Progress(int k, int total, int level, std::string_view text) override {
        if (k != total && shownOnce_ && clock_.elapsed() < kIntervalMs) return;
        shownOnce_ = true;
        clock_.restart();
        const rn::Node* node = d_.outline_.At(k - 1);
        const QModelIndex index = d_.treeModel_->indexOf(node);
        for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
            d_.treeView_->expand(p);
        d_.treeView_->setCurrentIndex(index);
        d_.treeView_->scrollTo(index);
        d_.progressBar()->setValue(k);
        d_.setStatus(fromUtf8(rn::BatchProgressText(k, level, text)));
        // Paint what changed; input meant for the dialog is swallowed meanwhile (eventFilter).
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }

    void ProgressEnd() override { d_.progressBar()->hide(); }

private:
    static constexpr qint64 kIntervalMs = 50;
    BatchOutputDialog& d_;
    QElapsedTimer clock_;
    bool shownOnce_ = false;
};

void BatchOutputDialog::runOutput() {
    if (busy_) return;
    rn::BatchOutputRequest request;
    request.nodes = nodes_;
    // "NULL" (no document) names no file.
    request.treeFile = documentOpen_ ? treeFile_ : std::string();
    request.treeDir = treeDir_;
    request.outputPath = toUtf8(outputEdit_->text());
    request.tocPath = toUtf8(tocEdit_->text());
    if (!allCheck_->isChecked() && start_) request.start = start_;
    request.settings = settings_;
    request.settings.SEPA = separatorLines();
    BatchRunProgress progress(*this);
    rn::RunBatchOutput(request, &progress);
}

void BatchOutputDialog::setBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
        QApplication::restoreOverrideCursor();
    }
}

bool BatchOutputDialog::isInputForThisDialog(QObject* watched, QEvent* event) const {
    if (!isUserInput(event->type())) return false;
    // Boxes shown during the run are windows of their own and keep working.
    if (watched->isWidgetType()) return static_cast<QWidget*>(watched)->window() == this;
    if (watched->isWindowType()) return watched == windowHandle();
    return false;
}

}  // namespace rn::gui

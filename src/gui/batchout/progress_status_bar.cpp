// SPDX-License-Identifier: MIT
#include "gui/batchout/progress_status_bar.h"

#include <QLabel>
#include <QProgressBar>

namespace rn::gui {

namespace {
constexpr int kBarWidth = 288;
constexpr int kBarHeight = 13;
constexpr int kBarRight = 14;
constexpr int kBarTop = 4;
}  // namespace

ProgressStatusBar::ProgressStatusBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("StatusLine"));
    label_->setTextFormat(Qt::PlainText);
    label_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setTextVisible(false);
    bar_->setFixedSize(kBarWidth, kBarHeight);
    bar_->hide();
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

QString ProgressStatusBar::text() const {
    return text_;
}

void ProgressStatusBar::setText(const QString& text) {
    text_ = text;
    showText();
}

void ProgressStatusBar::showText() {
    // A long message (a refusal naming a deep path) loses the middle of its text, never its end: the
    // whole of it is in the tool tip.
    const int room = label_->contentsRect().width() - 2 * label_->margin() - label_->indent() - 4;
    const QString shown = label_->fontMetrics().elidedText(text_, Qt::ElideMiddle, qMax(room, 0));
    label_->setText(shown);
    label_->setToolTip(shown == text_ ? QString() : text_);
}

QSize ProgressStatusBar::sizeHint() const {
    return {kBarWidth + kBarRight, qMax(label_->sizeHint().height(), kBarHeight + 2 * kBarTop)};
}

QSize ProgressStatusBar::minimumSizeHint() const {
    return {0, sizeHint().height()};
}

void ProgressStatusBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    label_->setGeometry(0, 0, width(), height());
    bar_->move(width() - kBarRight - kBarWidth, kBarTop);
    showText();
}

}  // namespace rn::gui

#include "gui/batchout/dialog_widgets.h"

#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

namespace rn::gui {

NumberEdit::NumberEdit(QWidget* parent) : QLineEdit(parent) {
    // Whole numbers only; six digits are far beyond any useful page length or indentation count.
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,6}")), this));
}

void NumberEdit::setStepRange(int lowest, int highest) {
    lowest_ = lowest;
    highest_ = highest;
}

int NumberEdit::value() const {
    return text().toInt();  // empty gives 0
}

void NumberEdit::stepBy(int delta) {
    setText(QString::number(qBound(lowest_, value() + delta, highest_)));
}

void NumberEdit::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        stepBy(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

UpDownButtons::UpDownButtons(NumberEdit* field, QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto arrow = [&](Qt::ArrowType type, int delta) {
        auto* b = new QToolButton(this);
        b->setArrowType(type);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(16, 10);
        connect(b, &QToolButton::clicked, field, [field, delta] { field->stepBy(delta); });
        column->addWidget(b);
        return b;
    };
    up_ = arrow(Qt::UpArrow, 1);
    down_ = arrow(Qt::DownArrow, -1);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

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
    return label_->text();
}

void ProgressStatusBar::setText(const QString& text) {
    label_->setText(text);
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
}

}  // namespace rn::gui

// SPDX-License-Identifier: MIT
#include "gui/settings/dialog_widgets.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace rn::gui {
namespace {

QToolButton* arrowButton(Qt::ArrowType type, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setArrowType(type);
    b->setAutoRepeat(true);
    // The arrows are for the mouse; the keyboard steps from the field itself.
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedSize(16, 11);
    return b;
}

}  // namespace

SteppedNumberField::SteppedNumberField(const QString& fieldName, const QString& arrowsName, int minimum, int maximum,
                                       QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    field_ = new QLineEdit(this);
    field_->setObjectName(fieldName);
    field_->setReadOnly(true);
    field_->setAlignment(Qt::AlignRight);
    field_->setFixedWidth(40);
    field_->installEventFilter(this);
    arrows_ = new QWidget(this);
    arrows_->setObjectName(arrowsName);
    auto* column = new QVBoxLayout(arrows_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    up_ = arrowButton(Qt::UpArrow, arrows_);
    down_ = arrowButton(Qt::DownArrow, arrows_);
    column->addWidget(up_);
    column->addWidget(down_);
    row->addWidget(field_);
    row->addWidget(arrows_);
    row->addStretch(1);
    // A press steps at once (and again while the button repeats); the release, which follows the
    // step, is what the previews wait for.
    connect(up_, &QToolButton::pressed, this, [this] { step(1); });
    connect(down_, &QToolButton::pressed, this, [this] { step(-1); });
    connect(up_, &QToolButton::released, this, &SteppedNumberField::arrowReleased);
    connect(down_, &QToolButton::released, this, &SteppedNumberField::arrowReleased);
    setValue(minimum);
}

int SteppedNumberField::value() const {
    return field_->text().toInt();
}

void SteppedNumberField::setValue(int value) {
    field_->setText(QString::number(value));
}

void SteppedNumberField::step(int delta) {
    setValue(std::clamp(value() + delta, minimum_, maximum_));
}

bool SteppedNumberField::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

ReleaseCheckBox::ReleaseCheckBox(const QString& name, const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent) {
    setObjectName(name);
}

void ReleaseCheckBox::mouseReleaseEvent(QMouseEvent* event) {
    QCheckBox::mouseReleaseEvent(event);
    emit mouseReleased();
}

}  // namespace rn::gui

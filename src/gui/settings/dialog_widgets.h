// SPDX-License-Identifier: MIT
// Small controls of the settings dialog: a number field stepped by its arrows, and a check box that
// reports the release of the mouse button on it.
#pragma once

#include <QCheckBox>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace rn::gui {

// A read-only, right-aligned number field with up and down arrows beside it. Only the arrows (and
// the Up and Down keys in the field) change the number, by 1, within the range, without wrapping.
// A number loaded from outside the range is shown as it is until the arrows are used.
class SteppedNumberField : public QWidget {
    Q_OBJECT
public:
    SteppedNumberField(const QString& fieldName, const QString& arrowsName, int minimum, int maximum, QWidget* parent);

    int value() const;
    void setValue(int value);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // One step of the arrows: `delta` is +1 or -1.
    void step(int delta);

    QLineEdit* field() const { return field_; }
    QWidget* arrows() const { return arrows_; }
    QToolButton* upArrow() const { return up_; }
    QToolButton* downArrow() const { return down_; }

signals:
    // The mouse button was released on one of the arrows.
    void arrowReleased();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int minimum_;
    int maximum_;
    QLineEdit* field_;
    QWidget* arrows_;
    QToolButton* up_;
    QToolButton* down_;
};

// A check box that tells when the mouse button is released on it, after its state has changed.
class ReleaseCheckBox : public QCheckBox {
    Q_OBJECT
public:
    ReleaseCheckBox(const QString& name, const QString& caption, QWidget* parent);

signals:
    void mouseReleased();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace rn::gui

// Small widgets of the batch output dialog: a number field with up/down arrows, and a status bar
// with one text and a progress bar at its right end.
#pragma once

#include <QLineEdit>
#include <QWidget>

class QLabel;
class QProgressBar;
class QToolButton;

namespace rn::gui {

// Digits may be typed freely; the arrows and the Up/Down keys step the value by 1 within a range.
class NumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberEdit(QWidget* parent = nullptr);

    void setStepRange(int lowest, int highest);
    // The number shown; 0 while the field is empty.
    int value() const;
    // Adds `delta` and brings the result into the step range.
    void stepBy(int delta);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int lowest_ = 0;
    int highest_ = 100;
};

// The arrows beside a NumberEdit.
class UpDownButtons : public QWidget {
    Q_OBJECT
public:
    UpDownButtons(NumberEdit* field, QWidget* parent = nullptr);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

private:
    QToolButton* up_;
    QToolButton* down_;
};

// One line of text; during a run the progress bar stands at the right end, 14 pixels from the
// right edge and 4 from the top, over the end of the text.
class ProgressStatusBar : public QWidget {
    Q_OBJECT
public:
    explicit ProgressStatusBar(QWidget* parent = nullptr);

    QLabel* label() const { return label_; }
    QProgressBar* progressBar() const { return bar_; }
    QString text() const;
    void setText(const QString& text);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* label_;
    QProgressBar* bar_;
};

}  // namespace rn::gui

// SPDX-License-Identifier: MIT
// The batch output dialog's status bar: one text, and the progress bar at its right end.
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace rn::gui {

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
    void showText();

    QString text_;  // the whole text; the label shows as much of it as fits
    QLabel* label_;
    QProgressBar* bar_;
};

}  // namespace rn::gui

// SPDX-License-Identifier: MIT
// The caret panel of the status bar: the caret's line and column ("3行/12") after a key release in
// the editor. With wrapping on, lines are displayed lines, so every paragraph above the caret must
// be laid out to count them; in a large body those not yet laid out are laid out in small slices
// while the program is idle, and until then the number is marked provisional with a leading "~".
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QPlainTextEdit;
class QTextDocument;

namespace rn::gui {

class StatusPanels;

// How long one slice of laying out may take (at the key release, then in each idle turn): short
// enough that typing and scrolling go on unhindered.
inline constexpr int kCaretSliceMs = 10;

class CaretPanel : public QObject {
    Q_OBJECT
public:
    CaretPanel(QPlainTextEdit& editor, StatusPanels& panels, int panelIndex, QObject* parent);

    // Shows where the caret (the selection's start) is now.
    void showCaret();
    // Empties the panel: another node or body is shown.
    void clear();
    // Counts again for the position shown, when the numbering may have changed (wrapping, font,
    // width); does nothing while the panel is empty.
    void refresh();
    // Whether the number shown is still provisional.
    bool provisional() const { return slices_.isActive(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Lays out one slice of the paragraphs above the caret and shows the number as it stands.
    void countSlice();

    QPlainTextEdit& editor_;
    QObject* viewport_;  // kept: the editor cannot be asked for it while it is being destroyed
    StatusPanels& panels_;
    int panelIndex_;
    QTimer slices_;
    QPointer<QTextDocument> document_;  // the document the position belongs to
    int position_ = -1;                 // -1: the panel is empty
    int laidOutBefore_ = 0;             // paragraphs before this one are laid out
};

}  // namespace rn::gui

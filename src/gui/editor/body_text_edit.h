// SPDX-License-Identifier: MIT
// The body editors. Text the body file could not store never gets in: of what is typed, pasted,
// dropped or committed by an input method, the characters CP932 cannot hold are left out on the spot
// (and named), the rest goes in.
#pragma once

#include <QPlainTextEdit>
#include <optional>

namespace rn::gui {

class BodyTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit BodyTextEdit(QWidget* parent = nullptr);

    // The message for what was left out of the input since the last key press, if anything. Every key
    // release clears the message panel; this lets the release that follows put the message back.
    std::optional<QString> pendingRefusal() const { return pendingRefusal_; }

    // Text an input method is still composing (shown, but not yet part of the text) becomes text:
    // the input method is asked to commit it, and whatever it leaves is put in as if committed. Every
    // save calls this first, so that closing the window never loses a phrase being converted.
    void commitComposition();

signals:
    // Every key release of a key pressed here (the caret panels follow it). The release of a key
    // pressed elsewhere, such as the Enter that confirmed a dialog before the focus came here, is not
    // one: it must not clear the message that dialog's command has just shown.
    void keyUp(QKeyEvent* event);
    // Characters CP932 cannot hold were left out of the input; `message` names them.
    void refused(const QString& message);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Maps and filters input text; tells what was left out. False when nothing is left to insert.
    bool takeInput(QString& text);

    std::optional<QString> pendingRefusal_;
    QString composing_;  // the input method's preedit text as last shown
    // A key has been pressed (or an input method has delivered) since the focus came here.
    bool keyPressedHere_ = false;
};

}  // namespace rn::gui

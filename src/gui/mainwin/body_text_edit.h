// The body editors. Text the body file could not store never gets in: typed, pasted or dropped
// characters that CP932 cannot hold are refused on the spot.
#pragma once

#include <QPlainTextEdit>
#include <optional>

namespace rn::gui {

class BodyTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit BodyTextEdit(QWidget* parent = nullptr);

    // Replaces characters that have a CP932 twin under another code point (the wave dash and its
    // kin, as Japanese input methods produce them) by that twin. Returns the first character a body
    // file cannot hold after that (one CP932 has no code for, or NUL, which ends a body when it is
    // read), or nothing when every character can be stored.
    static std::optional<char32_t> makeStorable(QString& text);

    // The character refused since the last key press, if any. Every key release clears the message
    // panel; this lets the release that follows a refusal put the message back.
    std::optional<char32_t> pendingRefusal() const { return pendingRefusal_; }

signals:
    // Every key release of a key pressed here (the caret panels follow it). The release of a key
    // pressed elsewhere, such as the Enter that confirmed a dialog before the focus came here, is not
    // one: it must not clear the message that dialog's command has just shown.
    void keyUp(QKeyEvent* event);
    // Input was refused; `ch` is the first character that cannot be stored.
    void refused(char32_t ch);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void refuse(char32_t ch);

    std::optional<char32_t> pendingRefusal_;
    // A key has been pressed (or an input method has delivered) since the focus came here.
    bool keyPressedHere_ = false;
};

// The status text for a refused character.
QString refusedCharacterMessage(char32_t ch);

}  // namespace rn::gui

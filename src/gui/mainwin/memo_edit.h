// The body editors. Text the body file could not store never gets in: typed, pasted or dropped
// characters that CP932 cannot hold are refused on the spot.
#pragma once

#include <QPlainTextEdit>

namespace rn::gui {

class MemoEdit : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit MemoEdit(QWidget* parent = nullptr);

    // Replaces characters that have a CP932 twin under another code point (the wave dash and its
    // kin, as Japanese input methods produce them) by that twin. Returns the first character CP932
    // cannot hold after that, or 0 when every character can be stored.
    static char32_t Storable(QString& text);

  signals:
    // Every key release (the caret panels follow it).
    void keyUp(QKeyEvent* event);
    // Input was refused; `ch` is the first character that cannot be stored.
    void refused(char32_t ch);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

// The status text for a refused character.
QString RefusedCharacterMessage(char32_t ch);

}  // namespace rn::gui

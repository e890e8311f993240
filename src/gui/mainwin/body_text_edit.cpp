#include "gui/mainwin/body_text_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

#include "core/text/cp932.h"

namespace rn::gui {
namespace {

// Characters that JIS-based input produces where CP932 has its own code point for the same sign.
char16_t twinOf(char16_t c) {
    switch (c) {
        case u'\u301C':  // WAVE DASH
            return u'\uFF5E';
        case u'\u2016':  // DOUBLE VERTICAL LINE
            return u'\u2225';
        case u'\u2212':  // MINUS SIGN
            return u'\uFF0D';
        case u'\u00A2':  // CENT SIGN
            return u'\uFFE0';
        case u'\u00A3':  // POUND SIGN
            return u'\uFFE1';
        case u'\u00AC':  // NOT SIGN
            return u'\uFFE2';
        case u'\u2014':  // EM DASH
            return u'\u2015';
        default:
            return c;
    }
}

}  // namespace

BodyTextEdit::BodyTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
    // A scroll bar that came and went would change the text's width, and every change of width lays
    // out each line anew.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

std::optional<char32_t> BodyTextEdit::makeStorable(QString& text) {
    for (QChar& c : text)
        c = QChar(twinOf(c.unicode()));
    std::u16string_view view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
    rn::EncodeResult r = rn::Utf16ToCp932(view);
    const std::size_t nul = view.find(u'\0');
    if (nul != std::u16string_view::npos && (r.ok || nul < r.firstBadAt)) return U'\0';
    if (!r.ok) return r.firstBad;
    return std::nullopt;
}

QString refusedCharacterMessage(char32_t ch) {
    const QString code = QString::number(static_cast<uint>(ch), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    // A control character would show as nothing, or break the panel's line: its code alone names it.
    if (!QChar::isPrint(ch)) return QStringLiteral("この文字はShift-JISで保存できません [U+%1]").arg(code);
    return QStringLiteral("この文字はShift-JISで保存できません [%1 U+%2]").arg(QString::fromUcs4(&ch, 1), code);
}

void BodyTextEdit::refuse(char32_t ch) {
    pendingRefusal_ = ch;
    emit refused(ch);
}

void BodyTextEdit::focusInEvent(QFocusEvent* event) {
    keyPressedHere_ = false;
    QPlainTextEdit::focusInEvent(event);
}

void BodyTextEdit::keyPressEvent(QKeyEvent* event) {
    keyPressedHere_ = true;
    pendingRefusal_.reset();
    QString text = event->text();
    // A read-only pane stores nothing, so it has nothing to refuse.
    if (!isReadOnly() && !text.isEmpty() && text.at(0).unicode() >= 0x20 && text.at(0).unicode() != 0x7F) {
        QString original = text;
        if (auto bad = makeStorable(text)) {
            refuse(*bad);
            event->accept();
            return;
        }
        if (text != original) {
            insertPlainText(text);
            event->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void BodyTextEdit::keyReleaseEvent(QKeyEvent* event) {
    QPlainTextEdit::keyReleaseEvent(event);
    if (keyPressedHere_) emit keyUp(event);
}

void BodyTextEdit::inputMethodEvent(QInputMethodEvent* event) {
    // A composing input method may take the key presses itself; its releases still count.
    keyPressedHere_ = true;
    QString commit = event->commitString();
    if (commit.isEmpty()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    if (auto bad = makeStorable(commit)) {
        refuse(*bad);
        // Keep the composition state consistent: pass the event on without its text.
        QInputMethodEvent stripped(event->preeditString(), event->attributes());
        QPlainTextEdit::inputMethodEvent(&stripped);
        return;
    }
    QInputMethodEvent mapped(event->preeditString(), event->attributes());
    mapped.setCommitString(commit, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&mapped);
}

void BodyTextEdit::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) return;
    QString text = source->text();
    if (auto bad = makeStorable(text)) {
        refuse(*bad);
        return;
    }
    QMimeData plain;
    plain.setText(text);
    QPlainTextEdit::insertFromMimeData(&plain);
}

}  // namespace rn::gui

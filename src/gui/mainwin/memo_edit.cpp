#include "gui/mainwin/memo_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

#include "core/text/cp932.h"

namespace rn::gui {
namespace {

// Characters that JIS-based input produces where CP932 has its own code point for the same sign.
char16_t Twin(char16_t c) {
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

MemoEdit::MemoEdit(QWidget* parent) : QPlainTextEdit(parent) {}

char32_t MemoEdit::Storable(QString& text) {
    for (QChar& c : text)
        c = QChar(Twin(c.unicode()));
    std::u16string_view view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
    rn::EncodeResult r = rn::Utf16ToCp932(view);
    return r.ok ? 0 : r.firstBad;
}

QString RefusedCharacterMessage(char32_t ch) {
    const QString shown = QString::fromUcs4(&ch, 1);
    const QString code = QString::number(static_cast<uint>(ch), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("この文字はShift-JISで保存できません [%1 U+%2]").arg(shown, code);
}

void MemoEdit::keyPressEvent(QKeyEvent* event) {
    QString text = event->text();
    if (!text.isEmpty() && text.at(0).unicode() >= 0x20 && text.at(0).unicode() != 0x7F) {
        QString original = text;
        if (char32_t bad = Storable(text)) {
            emit refused(bad);
            event->accept();
            return;
        }
        if (text != original && !isReadOnly()) {
            insertPlainText(text);
            event->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MemoEdit::keyReleaseEvent(QKeyEvent* event) {
    QPlainTextEdit::keyReleaseEvent(event);
    emit keyUp(event);
}

void MemoEdit::inputMethodEvent(QInputMethodEvent* event) {
    QString commit = event->commitString();
    if (commit.isEmpty()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    if (char32_t bad = Storable(commit)) {
        emit refused(bad);
        // Keep the composition state consistent: pass the event on without its text.
        QInputMethodEvent stripped(event->preeditString(), event->attributes());
        QPlainTextEdit::inputMethodEvent(&stripped);
        return;
    }
    QInputMethodEvent mapped(event->preeditString(), event->attributes());
    mapped.setCommitString(commit, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&mapped);
}

void MemoEdit::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) return;
    QString text = source->text();
    if (char32_t bad = Storable(text)) {
        emit refused(bad);
        return;
    }
    QMimeData plain;
    plain.setText(text);
    QPlainTextEdit::insertFromMimeData(&plain);
}

}  // namespace rn::gui

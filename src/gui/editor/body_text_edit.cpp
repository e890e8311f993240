// SPDX-License-Identifier: MIT
#include "gui/editor/body_text_edit.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

#include "gui/storable_text.h"

namespace rn::gui {

BodyTextEdit::BodyTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
    // A scroll bar that came and went would change the text's width, and every change of width lays
    // out each line anew.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

bool BodyTextEdit::takeInput(QString& text) {
    // NUL ends a body when it is read: text after it could never come back.
    const std::vector<char32_t> left = makeStorable(text, true);
    if (!left.empty()) {
        pendingRefusal_ = unstorableMessage(left);
        emit refused(*pendingRefusal_);
    }
    return !text.isEmpty();
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
        const QString original = text;
        const bool any = takeInput(text);
        if (text != original) {
            if (any) insertPlainText(text);
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

void BodyTextEdit::commitComposition() {
    if (composing_.isEmpty()) return;
    QGuiApplication::inputMethod()->commit();
    if (composing_.isEmpty()) return;  // the input method has committed it
    QInputMethodEvent commit;
    commit.setCommitString(composing_);
    inputMethodEvent(&commit);
    QGuiApplication::inputMethod()->reset();
}

void BodyTextEdit::inputMethodEvent(QInputMethodEvent* event) {
    // A composing input method may take the key presses itself; its releases still count.
    keyPressedHere_ = true;
    composing_ = event->preeditString();
    QString commit = event->commitString();
    if (commit.isEmpty()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    pendingRefusal_.reset();
    takeInput(commit);
    // The composition ends as the input method says; only the committed text is filtered.
    QInputMethodEvent mapped(event->preeditString(), event->attributes());
    mapped.setCommitString(commit, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&mapped);
}

void BodyTextEdit::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) return;
    QString text = source->text();
    pendingRefusal_.reset();
    if (!takeInput(text)) return;
    QMimeData plain;
    plain.setText(text);
    QPlainTextEdit::insertFromMimeData(&plain);
}

}  // namespace rn::gui

// SPDX-License-Identifier: MIT
// The outline and the helpers shared by the body editor's tests.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <initializer_list>
#include <string>

#include "core/text/cp932.h"
#include "gui/editor/body_editor.h"
#include "gui/editor/body_text_edit.h"
#include "gui_support.h"

namespace rn::test::body {

using rn::gui::LowerPaneMode;
using rn::test::MainWindowFixture;
using rn::test::ReadAll;
using rn::test::U;
using rn::test::WriteAll;

// The outline used by most tests, by absolute index:
//  0 A.TXT            root text node without children
//  1 章               folder
//  2   B.TXT
//  3   C.TXT
//  4   節             folder on the second level with three children
//  5     D.TXT
//  6     E.TXT
//  7     F.TXT
//  8 ゴミ箱
//  9   屑.TXT         text node in the trash
inline const char* const kOutline =
    "A.TXT\r\n章\r\n\tB.TXT\r\n\tC.TXT\r\n\t節\r\n\t\tD.TXT\r\n\t\tE.TXT\r\n\t\tF.TXT\r\nゴミ箱\r\n\t屑.TXT\r\n";

inline std::string Raw(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes)
        s.push_back(static_cast<char>(b));
    return s;
}

// Starts the program (delivered settings, nothing reopened), writes the bodies and opens the outline.
inline void OpenOutline(MainWindowFixture& f) {
    f.w().runStartup();
    WriteAll(f.Path("A.TXT"), rn::Cp932Literal("エー本文"));
    WriteAll(f.Path("B.TXT"), rn::Cp932Literal("ビー\nLF だけの行\n"));
    WriteAll(f.Path("C.TXT"), rn::Cp932Literal("シー"));
    WriteAll(f.Path("D.TXT"), rn::Cp932Literal("ディー"));
    WriteAll(f.Path("E.TXT"), rn::Cp932Literal("イー"));
    WriteAll(f.Path("F.TXT"), rn::Cp932Literal("エフ"));
    WriteAll(f.Path("屑.TXT"), rn::Cp932Literal("捨てた\n本文"));
    f.OpenDocument("doc.Rnote", kOutline);
}

inline QString Memo(MainWindowFixture& f) {
    return f.w().editor()->toPlainText();
}

inline void SetCaret(QPlainTextEdit* edit, int position) {
    QTextCursor c = edit->textCursor();
    c.setPosition(position);
    edit->setTextCursor(c);
}

// One key with its text, pressed and released, as a keyboard or input method would deliver it.
inline void TypeText(QWidget* w, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

// Types every character of `text` as its own key (QTest::keyClicks only knows Latin-1).
inline void TypeEach(QWidget* w, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        TypeText(w, text.mid(i, n));
        i += n - 1;
    }
}

}  // namespace rn::test::body

// SPDX-License-Identifier: MIT
#include "gui/window/appearance.h"

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>

#include "core/settings/colors.h"
#include "core/settings/settings.h"
#include "gui/editor/body_editor.h"
#include "gui/editor/body_text_edit.h"
#include "gui/editor/caret_panel.h"
#include "gui/gui_notices.h"
#include "gui/outline/outline_view.h"
#include "gui/qt_text.h"

namespace rn::gui {
namespace {

// Display colour numbers of the desktop, as palette roles.
std::optional<QPalette::ColorRole> systemRole(uint32_t number) {
    switch (number) {
        case 0x00:
            return QPalette::Button;  // scroll bar
        case 0x01:
            return QPalette::Window;  // desktop background
        case 0x02:
            return QPalette::Highlight;  // active caption
        case 0x03:
            return QPalette::Mid;  // inactive caption
        case 0x04:
            return QPalette::Window;  // menu
        case 0x05:
            return QPalette::Base;  // window
        case 0x06:
            return QPalette::Dark;  // window frame
        case 0x07:
            return QPalette::WindowText;  // menu text
        case 0x08:
            return QPalette::Text;  // window text
        case 0x09:
            return QPalette::HighlightedText;  // caption text
        case 0x0A:
            return QPalette::Window;  // active border
        case 0x0B:
            return QPalette::Window;  // inactive border
        case 0x0C:
            return QPalette::Dark;  // application workspace
        case 0x0D:
            return QPalette::Highlight;
        case 0x0E:
            return QPalette::HighlightedText;
        case 0x0F:
            return QPalette::Button;  // button face
        case 0x10:
            return QPalette::Dark;  // button shadow
        case 0x11:
            return QPalette::PlaceholderText;  // grey text
        case 0x12:
            return QPalette::ButtonText;
        case 0x13:
            return QPalette::Text;  // inactive caption text
        case 0x14:
            return QPalette::Light;  // button highlight
        case 0x15:
            return QPalette::Shadow;  // 3D dark shadow
        case 0x16:
            return QPalette::Midlight;  // 3D light
        case 0x17:
            return QPalette::ToolTipText;
        case 0x18:
            return QPalette::ToolTipBase;
        case 0x1A:
            return QPalette::Link;  // hot light
        case 0x1B:
            return QPalette::Highlight;  // gradient active caption
        case 0x1C:
            return QPalette::Mid;  // gradient inactive caption
        case 0x1D:
            return QPalette::Highlight;  // menu highlight
        case 0x1E:
            return QPalette::Window;  // menu bar
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<QColor> resolveColor(const std::string& text, const QPalette& palette) {
    std::optional<uint32_t> value = rn::ColorFromText(text);
    if (!value || *value == rn::kColorNone || *value == rn::kColorDefault) return std::nullopt;
    if (rn::IsSystemColor(*value)) {
        auto role = systemRole(*value & 0xFF);
        if (!role) return std::nullopt;
        return palette.color(QPalette::Active, *role);
    }
    if (*value > 0xFFFFFF) return std::nullopt;
    return QColor(static_cast<int>(*value & 0xFF), static_cast<int>((*value >> 8) & 0xFF),
                  static_cast<int>((*value >> 16) & 0xFF));
}

void applyPaneFont(QWidget& widget, const rn::PaneFontSettings& pane, QPalette::ColorRole textRole,
                   QPalette::ColorRole backgroundRole) {
    QFont font = widget.font();
    if (!pane.FontName.empty()) font.setFamily(fromUtf8(pane.FontName));
    if (pane.FontSize > 0) font.setPointSize(pane.FontSize);
    widget.setFont(font);
    setPaneColor(widget, textRole, pane.FontColor);
    setPaneColor(widget, backgroundRole, pane.FontBColor);
}

void setPaneColor(QWidget& widget, QPalette::ColorRole role, const std::string& colorText) {
    const auto c = resolveColor(colorText, QApplication::palette());
    if (!c) return;
    QPalette p = widget.palette();
    p.setColor(QPalette::Active, role, *c);
    p.setColor(QPalette::Inactive, role, *c);
    widget.setPalette(p);
}

void applyTabStops(QPlainTextEdit& edit, int tabSize) {
    if (tabSize <= 0) return;
    edit.setTabStopDistance(tabSize * edit.fontMetrics().averageCharWidth());
}

QString tabButtonHint(bool tabIn) {
    return tabIn ? QStringLiteral("Tab入力解除") : QStringLiteral("Tab入力");
}
QString wrapButtonHint(bool wordWrap) {
    return wordWrap ? QStringLiteral("折り返しOFF") : QStringLiteral("折り返しON");
}

void applySettings(const rn::Settings& s, QWidget& w, OutlineView& outline, BodyEditor& editor) {
    if (QAction* tab = w.findChild<QAction*>(QStringLiteral("ToolButtonTAB")))
        tab->setToolTip(tabButtonHint(s.Memo.TabIn));
    if (QAction* cr = w.findChild<QAction*>(QStringLiteral("ToolButtonCR")))
        cr->setToolTip(wrapButtonHint(s.Memo.WordWrap));

    OutlineView* tree = &outline;
    tree->setRootIsDecorated(s.Tree.Root);
    tree->setShowLines(s.Tree.Line);
    tree->setShowButtons(s.Tree.Button);
    applyPaneFont(*tree, s.Tree, QPalette::Text, QPalette::Base);

    struct Pane {
        QPlainTextEdit* edit;
        const rn::PaneFontSettings* fonts;
    };
    for (const Pane& pane : {Pane{&editor.editor(), &s.Memo}, Pane{&editor.lowerPane(), &s.AddMemo}}) {
        applyPaneFont(*pane.edit, *pane.fonts, QPalette::Text, QPalette::Base);
        pane.edit->setHorizontalScrollBarPolicy(s.Memo.WordWrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
        pane.edit->setLineWrapMode(s.Memo.WordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        applyTabStops(*pane.edit, s.Memo.TabSize);
        pane.edit->setTabChangesFocus(!s.Memo.TabIn);
    }
    // Wrapping and fonts number the displayed lines anew.
    editor.caretPanel().refresh();
}

}  // namespace rn::gui

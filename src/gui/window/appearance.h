// SPDX-License-Identifier: MIT
// Applying the appearance settings to the main window: fonts, colours, tree lines and buttons,
// wrapping, tab stops and tab input. Initial values (no font name, size 0, no colour) keep what the
// widget already has, so nothing ever becomes unreadable.
#pragma once

#include <QColor>
#include <QPalette>
#include <optional>
#include <string>

class QPlainTextEdit;
class QWidget;

namespace rn {
struct PaneFontSettings;
}

namespace rn {
struct Settings;
}

namespace rn::gui {

class BodyEditor;
class OutlineView;

// The colour a colour text stands for, or nullopt to keep the widget's own colour (empty or
// unreadable text, "none", "default").
std::optional<QColor> resolveColor(const std::string& text, const QPalette& palette);

// Font and colours of one pane.
void applyPaneFont(QWidget& widget, const rn::PaneFontSettings& pane, QPalette::ColorRole textRole,
                   QPalette::ColorRole backgroundRole);
// One colour of a pane from a colour text (kept when the text stands for no colour).
void setPaneColor(QWidget& widget, QPalette::ColorRole role, const std::string& colorText);
// Tab stops every `tabSize` average characters (kept when tabSize is not positive).
void applyTabStops(QPlainTextEdit& edit, int tabSize);

// Applies the whole settings record to the main window, in the program's fixed order: the hints of
// the window's tab and wrap buttons, the outline, and the editor's two panes.
void applySettings(const rn::Settings& s, QWidget& window, OutlineView& outline, BodyEditor& editor);

// Hints of the two editor toggles; they name what the next click does.
QString tabButtonHint(bool tabIn);
QString wrapButtonHint(bool wordWrap);

}  // namespace rn::gui

// SPDX-License-Identifier: MIT
// Icons drawn at run time, so the program needs no image files or image plug-ins.
#pragma once

#include <QIcon>

#include "core/outline/outline.h"

namespace rn::gui {

// The outline view's icon of a node kind; its Selected mode differs for text and folder nodes.
QIcon nodeIcon(rn::NodeKind kind);

enum class ToolIcon {
    Add,
    AddChild,
    Insert,
    Delete,
    Print,
    NewTree,
    OpenTree,
    Tab,
    Wrap,
    Split,
    Search,
    Settings,
    App
};
QIcon makeToolIcon(ToolIcon which);

}  // namespace rn::gui

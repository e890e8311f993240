// SPDX-License-Identifier: MIT
// Text at the boundary between the core (UTF-8 messages, CP932 bytes) and the widgets (QString).
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace rn::gui {

QString fromUtf8(const std::string& s);
// CP932 bytes as the widgets show them (rn::Cp932ToUtf16).
QString fromCp932(std::string_view bytes);
std::string toUtf8(const QString& s);

}  // namespace rn::gui

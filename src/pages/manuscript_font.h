// SPDX-License-Identifier: MIT
// The Mincho typeface manuscript pages are set in.
#pragma once

#include <QFont>
#include <QString>
#include <optional>

namespace rn::pages {

// IPA 明朝, which the package depends on.
inline constexpr const char* kManuscriptFontFamily = "IPAMincho";

// The installed font of `family` when it has Japanese glyphs. Otherwise nullopt and, in `error`, a
// message naming the font: pages are never set in a font that would print empty boxes.
std::optional<QFont> findManuscriptFont(const QString& family, QString& error);

}  // namespace rn::pages

// SPDX-License-Identifier: MIT
// Stand-ins for the Japanese Windows fonts that settings and dialogs name.
#pragma once

namespace rn::gui {

// Settings files and the program's own dialogs name "ＭＳ 明朝" and "ＭＳ ゴシック". Where those are not
// installed, fontconfig hands Qt a Latin alias (DejaVu) and each run of Japanese text gets a fallback
// font of its own, so one body shows in Mincho or in Gothic depending on whether it starts with a
// Latin letter. Naming an installed Japanese font of the same kind as their substitute keeps every
// character in one typeface. Names that are installed stay as they are.
void substituteJapaneseFonts();

}  // namespace rn::gui

// SPDX-License-Identifier: MIT
// The page layout last chosen for PDF output, kept in the settings file so that printing uses it too.
#pragma once

#include <string>

#include "core/layout/grid.h"

namespace rn {

// [Pdf] Layout, by its command-line name; A4 横書き when missing or not understood.
PageLayout ReadPdfLayout(const std::string& settingsPath);
bool WritePdfLayout(const std::string& settingsPath, const PageLayout& layout);

}  // namespace rn

// SPDX-License-Identifier: MIT
#include "core/layout/layout_setting.h"

#include "core/storage/ini.h"

namespace rn {
namespace {
constexpr std::string_view kSection = "Pdf";
constexpr std::string_view kKey = "Layout";
}  // namespace

PageLayout ReadPdfLayout(const std::string& settingsPath) {
    const std::optional<std::string> name = IniLookup(settingsPath, kSection, kKey);
    const std::optional<PageLayout> layout = name ? ParseLayoutName(*name) : std::nullopt;
    return layout ? *layout : PresetLayout(LayoutKind::kA4Horizontal);
}

bool WritePdfLayout(const std::string& settingsPath, const PageLayout& layout) {
    return IniWriteString(settingsPath, kSection, kKey, LayoutName(layout));
}

}  // namespace rn

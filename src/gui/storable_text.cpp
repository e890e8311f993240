// SPDX-License-Identifier: MIT
#include "gui/storable_text.h"

#include "core/text/text_entry.h"
#include "gui/gui_notices.h"
#include "gui/qt_text.h"

namespace rn::gui {

std::vector<char32_t> makeStorable(QString& text, bool dropNul) {
    std::u16string wide(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
    std::vector<char32_t> left = rn::DropUnstorable(wide, dropNul);
    text = QString(reinterpret_cast<const QChar*>(wide.data()), static_cast<qsizetype>(wide.size()));
    return left;
}

QString unstorableMessage(const std::vector<char32_t>& left) {
    return fromUtf8(rn::UnstorableMessage(left));
}

QValidator::State StorableTextValidator::validate(QString& input, int& pos) const {
    const qsizetype before = input.size();
    const std::vector<char32_t> left = makeStorable(input);
    // The caret keeps its place after what was kept of the text before it.
    if (!left.empty()) {
        pos = std::max(0, pos - static_cast<int>(before - input.size()));
        if (report_) report_(unstorableMessage(left));
    }
    return Acceptable;
}

}  // namespace rn::gui

// SPDX-License-Identifier: MIT
#include "gui/qt_text.h"

#include "core/text/cp932.h"

namespace rn::gui {

QString fromUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString fromCp932(std::string_view bytes) {
    std::u16string wide = rn::Cp932ToUtf16(bytes);
    return QString(reinterpret_cast<const QChar*>(wide.data()), static_cast<qsizetype>(wide.size()));
}

std::string toUtf8(const QString& s) {
    return s.toStdString();
}

}  // namespace rn::gui

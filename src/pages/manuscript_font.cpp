// SPDX-License-Identifier: MIT
#include "pages/manuscript_font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>

namespace rn::pages {

std::optional<QFont> findManuscriptFont(const QString& family, QString& error) {
    QFont font(family);
    font.setStyleStrategy(QFont::NoFontMerging);
    const QRawFont raw = QRawFont::fromFont(font);
    // fontconfig hands over some other font for a family it does not have: accept only the one named.
    const bool found = QFontDatabase::families().contains(family, Qt::CaseInsensitive) && raw.isValid() &&
                       raw.supportsCharacter(QChar(u'あ')) && raw.supportsCharacter(QChar(u'漢'));
    if (found) return font;
    error = QStringLiteral(
                "日本語の明朝体フォント「%1」が見つかりません。"
                "フォントをインストールして下さい（Debian では fonts-ipafont-mincho）。")
                .arg(family);
    return std::nullopt;
}

}  // namespace rn::pages

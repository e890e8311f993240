// SPDX-License-Identifier: MIT
#include "gui/japanese_fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace rn::gui {
namespace {

struct FontKind {
    QStringList names;     // as settings files from Windows desktops have them
    QStringList standIns;  // Debian's Japanese fonts of the same kind, best first
};

}  // namespace

void substituteJapaneseFonts() {
    const FontKind kinds[] = {
        {{QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS Mincho")},
         {QStringLiteral("IPAMincho"), QStringLiteral("IPAexMincho"), QStringLiteral("Noto Serif CJK JP"),
          QStringLiteral("TakaoMincho")}},
        {{QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("MS PMincho")},
         {QStringLiteral("IPAPMincho"), QStringLiteral("IPAexMincho"), QStringLiteral("Noto Serif CJK JP"),
          QStringLiteral("TakaoPMincho")}},
        {{QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic")},
         {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP"),
          QStringLiteral("TakaoGothic"), QStringLiteral("VL Gothic")}},
        {{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("MS UI Gothic")},
         {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP"),
          QStringLiteral("TakaoPGothic"), QStringLiteral("VL PGothic")}},
    };
    for (const FontKind& kind : kinds) {
        QStringList installed;
        for (const QString& family : kind.standIns)
            if (QFontDatabase::hasFamily(family)) installed << family;
        if (installed.isEmpty()) continue;
        for (const QString& name : kind.names)
            if (!QFontDatabase::hasFamily(name)) {
                QFont::removeSubstitutions(name);
                QFont::insertSubstitutions(name, installed);
            }
    }
}

}  // namespace rn::gui

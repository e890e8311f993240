// SPDX-License-Identifier: MIT
#include "gui/settings/color_list_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <array>

#include "core/settings/colors.h"
#include "gui/qt_text.h"
#include "gui/window/appearance.h"

namespace rn::gui {
namespace {

struct Entry {
    const char* name;   // colour name of the settings file
    const char* label;  // what the list shows
};

// Positions 1 to 20, in the list's order.
constexpr std::array<Entry, 20> kPlainColors{{
    {"clBlack", "黒"},      {"clMaroon", "茶色"},  {"clGreen", "緑"},         {"clOlive", "オリーブ"},
    {"clNavy", "紺"},       {"clPurple", "紫"},    {"clTeal", "青緑"},        {"clGray", "灰色"},
    {"clSilver", "銀色"},   {"clRed", "赤"},       {"clLime", "ライム"},      {"clYellow", "黄色"},
    {"clBlue", "青"},       {"clFuchsia", "赤紫"}, {"clAqua", "水色"},        {"clWhite", "白"},
    {"clMoneyGreen", "緑"}, {"clSkyBlue", "空色"}, {"clCream", "クリーム色"}, {"clMedGray", "ミディアムグレー"},
}};

// Positions 21 to 50 of the outline's lists.
constexpr std::array<Entry, 30> kSystemColors{{
    {"clActiveBorder", "アクティブな境界"},
    {"clActiveCaption", "アクティブなタイトル"},
    {"clAppWorkSpace", "アプリケーション作業域"},
    {"clBackground", "デスクトップ"},
    {"clBtnFace", "ボタン表面"},
    {"clBtnHighlight", "ボタン強調"},
    {"clBtnShadow", "ボタン影"},
    {"clBtnText", "ボタン文字"},
    {"clCaptionText", "タイトル文字"},
    {"clGradientActiveCaption", "アクティブなタイトル (グラデーション)"},
    {"clGradientInactiveCaption", "非アクティブなタイトル (グラデーション)"},
    {"clGrayText", "淡色文字"},
    {"clHighlight", "選択項目"},
    {"clHighlightText", "選択項目の文字"},
    {"clHotLight", "ホットトラック"},
    {"clInactiveBorder", "非アクティブな境界"},
    {"clInactiveCaption", "非アクティブなタイトル"},
    {"clInactiveCaptionText", "非アクティブなタイトル文字"},
    {"clInfoBk", "ヒント背景"},
    {"clInfoText", "ヒント文字"},
    {"clMenu", "メニュー"},
    {"clMenuBar", "メニューバー"},
    {"clMenuHighlight", "メニュー強調"},
    {"clMenuText", "メニュー文字"},
    {"clScrollBar", "スクロールバー"},
    {"cl3DDkShadow", "3D 濃い影"},
    {"cl3DLight", "3D 明るい面"},
    {"clWindow", "ウィンドウ"},
    {"clWindowFrame", "ウィンドウ枠"},
    {"clWindowText", "ウィンドウ文字"},
}};

uint32_t valueOf(const char* name) {
    return rn::ColorFromText(name).value_or(ColorListBox::kNothingChosen);
}

QColor qColorOf(uint32_t value) {
    return resolveColor(rn::ColorToText(value), QApplication::palette()).value_or(QColor(Qt::transparent));
}

uint32_t valueOf(const QColor& c) {
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
           static_cast<uint32_t>(c.blue()) << 16;
}

QIcon swatch(uint32_t value) {
    QPixmap pixmap(16, 12);
    pixmap.fill(qColorOf(value));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return QIcon(pixmap);
}

}  // namespace

ColorListBox::ColorListBox(const QString& name, bool withSystemColors, QWidget* parent) : QComboBox(parent) {
    setObjectName(name);
    setMaxVisibleItems(16);
    // The custom entry holds black until a colour is chosen for it.
    addItem(swatch(0), QStringLiteral("カスタム..."), QVariant::fromValue(0u));
    auto add = [this](const Entry& e) {
        const uint32_t value = valueOf(e.name);
        addItem(swatch(value), QString::fromUtf8(e.label), QVariant::fromValue(value));
    };
    for (const Entry& e : kPlainColors)
        add(e);
    if (withSystemColors)
        for (const Entry& e : kSystemColors)
            add(e);
    setCurrentIndex(-1);
    // The long names of the display colours widen the open list only.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(10);
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 24);
    connect(this, &QComboBox::activated, this, &ColorListBox::onActivated);
}

void ColorListBox::load(int position, const std::string& colorText, const QColor& shown) {
    if (position == kCustomPosition) {
        const auto value = rn::ColorFromText(colorText);
        setCustomColor(value && *value <= 0xFFFFFF ? *value : valueOf(shown));
    }
    setCurrentIndex(position >= 0 && position < count() ? position : -1);
    confirmedIndex_ = currentIndex();
}

uint32_t ColorListBox::colorValue() const {
    return currentIndex() < 0 ? kNothingChosen : currentData().toUInt();
}

std::string ColorListBox::colorText() const {
    return rn::ColorToText(colorValue());
}

void ColorListBox::setCustomColor(uint32_t value) {
    setItemData(kCustomPosition, QVariant::fromValue(value));
    setItemIcon(kCustomPosition, swatch(value));
}

void ColorListBox::onActivated(int index) {
    if (index == kCustomPosition) {
        const QColor chosen =
            chooseCustomColor ? chooseCustomColor(qColorOf(itemData(kCustomPosition).toUInt())) : QColor();
        if (!chosen.isValid()) {
            setCurrentIndex(confirmedIndex_);
            return;
        }
        setCustomColor(valueOf(chosen));
    }
    confirmedIndex_ = index;
    emit colorChosen();
}

}  // namespace rn::gui

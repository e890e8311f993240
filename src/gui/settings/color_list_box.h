// SPDX-License-Identifier: MIT
// A colour list of the settings dialog. Position 0 is "カスタム..." (the colour chooser puts its colour
// there), then the sixteen standard and four extended colours, and in the outline's lists the
// desktop's thirty display colours. Each entry holds its colour value (see core/settings/colors.h).
#pragma once

#include <QComboBox>
#include <cstdint>
#include <functional>
#include <string>

namespace rn::gui {

class ColorListBox : public QComboBox {
    Q_OBJECT
public:
    static constexpr int kCustomPosition = 0;
    // What a list with no entry chosen stands for (written "clScrollBar").
    static constexpr uint32_t kNothingChosen = 0xFF000000u;

    ColorListBox(const QString& name, bool withSystemColors, QWidget* parent);

    // Asks for the custom colour; returns an invalid colour when the user cancels.
    std::function<QColor(const QColor& initial)> chooseCustomColor;

    // Chooses the entry at `position` (none when it is outside the list). A custom entry takes its
    // colour from `colorText`, so that a colour chosen in an earlier run is offered again; when that
    // text holds no plain colour, from `shown`, the colour the window shows now, so that OK without
    // a change keeps it.
    void load(int position, const std::string& colorText, const QColor& shown);
    // The chosen entry's position, -1 for none.
    int position() const { return currentIndex(); }
    // Its colour value, kNothingChosen for none.
    uint32_t colorValue() const;
    // That colour in the settings file's notation.
    std::string colorText() const;

signals:
    // The user chose an entry (for the custom one: and confirmed a colour).
    void colorChosen();

private:
    void onActivated(int index);
    void setCustomColor(uint32_t value);

    int confirmedIndex_ = -1;  // where the list goes back to when the colour chooser is cancelled
};

}  // namespace rn::gui

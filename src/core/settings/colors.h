// SPDX-License-Identifier: MIT
// Colour texts of the settings file: a colour name (clWindow, clSilver, ...) or a number. The record
// keeps the texts; these functions turn them into 32-bit values for the window and back.
// A value is 0x00BBGGRR for a plain colour (red in the low byte), 0xFF0000nn for the desktop's display
// colour number nn, kColorNone for no colour and kColorDefault for the widget's default colour.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace rn {

inline constexpr uint32_t kColorNone = 0x1FFFFFFF;
inline constexpr uint32_t kColorDefault = 0x20000000;

// True for 0xFF0000nn, a display colour number of the desktop.
constexpr bool IsSystemColor(uint32_t value) {
    return (value & 0xFFFFFF00u) == 0xFF000000u;
}

struct ColorName {
    std::string_view name;
    uint32_t value;
};

// The 52 names, in the order in which a value is looked up when it is written.
std::span<const ColorName> ColorNames();

// A name (any letter case), a decimal number, or hexadecimal after "$" or "0x". nullopt for an empty
// text or anything else: the caller then keeps the widget's own colour.
std::optional<uint32_t> ColorFromText(std::string_view text);

// The first name whose value matches, else "$" and eight upper-case hexadecimal digits.
std::string ColorToText(uint32_t value);

}  // namespace rn

#pragma once

#include <QColor>

#include <cstdint>

// Colours are kept as the program's 32-bit colour values: 0x00BBGGRR for an
// RGB colour (red in the lowest byte), or 0x800000nn for the system colour
// with index nn, which the desktop's palette supplies. This is the one place
// where such a value becomes a colour.

constexpr std::uint32_t kSystemColorFlag = 0x80000000u;
constexpr std::uint32_t kButtonFaceColor = 0x8000000Fu;
constexpr std::uint32_t kButtonShadowColor = 0x80000010u;

// The RGB value 0x00BBGGRR a colour value stands for: an RGB value as it is,
// a system colour through the application palette (window, window text,
// button face, button shadow, button text, 3-D highlight, 3-D dark shadow);
// -1 for any other value.
std::int32_t TranslateColor(std::uint32_t lColor);

// The colour of an RGB value 0x00BBGGRR.
QColor ColorFromRgb(std::int32_t lRgb);

// The colour of a value; a value that names no colour is drawn in the
// palette's window text colour.
QColor ColorFromValue(std::uint32_t lColor);

// The value 0x00BBGGRR of an RGB colour.
std::uint32_t ValueFromColor(const QColor& color);

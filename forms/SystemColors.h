#pragma once

#include <QColor>

#include <cstdint>

// Colours are kept as the program's 32-bit colour values: 0x00BBGGRR for an
// RGB colour (red in the lowest byte), or 0x800000nn for the system colour
// with index nn. This is the one place where such a value becomes a QColor.

constexpr std::uint32_t kSystemColorFlag = 0x80000000u;
constexpr std::uint32_t kButtonFaceColor = 0x8000000Fu;
constexpr std::uint32_t kButtonShadowColor = 0x80000010u;

// The RGB colour of a value; a system colour resolves through the
// application palette (button face, button shadow; others as window text).
QColor ColorFromValue(std::uint32_t lColor);

// The value 0x00BBGGRR of an RGB colour.
std::uint32_t ValueFromColor(const QColor& color);

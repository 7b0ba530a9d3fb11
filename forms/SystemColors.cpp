#include "SystemColors.h"

#include <QGuiApplication>
#include <QPalette>

#include <optional>

namespace {

// The palette colours that system colour indexes name.
std::optional<QColor> SystemColor(std::uint32_t lIndex)
{
    const QPalette palette = QGuiApplication::palette();
    switch (lIndex) {
    case 5: return palette.color(QPalette::Base);        // window
    case 8: return palette.color(QPalette::Text);        // window text
    case 15: return palette.color(QPalette::Button);     // button face
    case 16: return palette.color(QPalette::Dark);       // button shadow
    case 18: return palette.color(QPalette::ButtonText); // button text
    case 20: return palette.color(QPalette::Light);      // 3-D highlight
    case 21: return palette.color(QPalette::Shadow);     // 3-D dark shadow
    default: return std::nullopt;
    }
}

} // namespace

std::int32_t TranslateColor(std::uint32_t lColor)
{
    if ((lColor & 0xFF000000u) == 0)
        return static_cast<std::int32_t>(lColor);
    if ((lColor & 0xFFFFFF00u) == kSystemColorFlag) {
        if (const std::optional<QColor> color = SystemColor(lColor & 0xFFu))
            return static_cast<std::int32_t>(ValueFromColor(*color));
    }
    return -1;
}

QColor ColorFromRgb(std::int32_t lRgb)
{
    return QColor(lRgb & 0xFF, (lRgb >> 8) & 0xFF, (lRgb >> 16) & 0xFF);
}

QColor ColorFromValue(std::uint32_t lColor)
{
    if (!(lColor & kSystemColorFlag))
        return ColorFromRgb(static_cast<std::int32_t>(lColor & 0xFFFFFFu));
    const std::int32_t lRgb = TranslateColor(lColor);
    return lRgb == -1 ? QGuiApplication::palette().color(QPalette::WindowText) : ColorFromRgb(lRgb);
}

std::uint32_t ValueFromColor(const QColor& color)
{
    const QRgb rgb = color.rgb();
    return static_cast<std::uint32_t>(qRed(rgb)) | (static_cast<std::uint32_t>(qGreen(rgb)) << 8)
        | (static_cast<std::uint32_t>(qBlue(rgb)) << 16);
}

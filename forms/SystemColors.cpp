#include "SystemColors.h"

#include <QGuiApplication>
#include <QPalette>

QColor ColorFromValue(std::uint32_t lColor)
{
    if (lColor & kSystemColorFlag) {
        const QPalette palette = QGuiApplication::palette();
        switch (lColor) {
        case kButtonFaceColor: return palette.color(QPalette::Button);
        case kButtonShadowColor: return palette.color(QPalette::Dark);
        default: return palette.color(QPalette::WindowText);
        }
    }
    return QColor(static_cast<int>(lColor & 0xFF), static_cast<int>((lColor >> 8) & 0xFF),
                  static_cast<int>((lColor >> 16) & 0xFF));
}

std::uint32_t ValueFromColor(const QColor& color)
{
    const QRgb rgb = color.rgb();
    return static_cast<std::uint32_t>(qRed(rgb)) | (static_cast<std::uint32_t>(qGreen(rgb)) << 8)
        | (static_cast<std::uint32_t>(qBlue(rgb)) << 16);
}

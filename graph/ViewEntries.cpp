#include "ViewEntries.h"

#include "NumberFormat.h"
#include "NumberInput.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

namespace {

// The narrowest range, relative to its centre and absolute, that the graph
// window can still step through pixel by pixel.
constexpr double kSmallestHalfRange = 1e-10;

QString Translated(const char* pszText)
{
    return QCoreApplication::translate("frmPreferences", pszText);
}

bool OnYAxis(ViewBox box)
{
    return box == ViewBox::StartY || box == ViewBox::EndY || box == ViewBox::DivisionsY;
}

// An axis as a half-range around a centre.
struct AxisRange {
    double dScale;
    double dOrigin;
};

AxisRange FromStartEnd(double dStart, double dEnd)
{
    return {(dEnd - dStart) / 2, (dEnd + dStart) / 2};
}

bool Drawable(const AxisRange& range)
{
    const double dHalf = std::fabs(range.dScale);
    return std::isfinite(range.dScale) && std::isfinite(range.dOrigin) && dHalf >= kSmallestHalfRange
        && dHalf >= std::fabs(range.dOrigin) * kSmallestHalfRange;
}

const QString& Text(const ViewTexts& texts, ViewBox box)
{
    return texts[static_cast<std::size_t>(box)];
}

} // namespace

QString ViewBoxLabel(ViewBox box)
{
    switch (box) {
    case ViewBox::StartX:
    case ViewBox::StartY: return Translated("Start");
    case ViewBox::EndX:
    case ViewBox::EndY: return Translated("End");
    case ViewBox::DivisionsX:
    case ViewBox::DivisionsY: return Translated("No. of divisions");
    case ViewBox::PolarSensitivity: break;
    }
    return Translated("Polar Sensitivity");
}

QString ViewAxisCaption(ViewBox box)
{
    if (box == ViewBox::PolarSensitivity)
        return QString();
    return OnYAxis(box) ? Translated("Y-axis") : Translated("X-axis");
}

QString ViewBoxName(ViewBox box)
{
    const QString strAxis = ViewAxisCaption(box);
    return strAxis.isEmpty() ? ViewBoxLabel(box) : strAxis + QLatin1Char(' ') + ViewBoxLabel(box);
}

ViewTexts ViewTextsOf(const ViewSettings& settings)
{
    return {GeneralText(settings.dOriginX - settings.dScaleX),
            GeneralText(settings.dScaleX + settings.dOriginX),
            QString::number(settings.iDivisionsX),
            GeneralText(settings.dOriginY - settings.dScaleY),
            GeneralText(settings.dScaleY + settings.dOriginY),
            QString::number(settings.iDivisionsY),
            QString::number(settings.iPolarSensitivity)};
}

std::variant<ViewSettings, ViewRefusal> ReadViewEntries(const ViewTexts& texts, bool bGrids, const ViewSettings& base,
                                                        const QLocale& locale)
{
    double dRange[4] = {};
    const ViewBox rangeBoxes[4] = {ViewBox::StartX, ViewBox::EndX, ViewBox::StartY, ViewBox::EndY};
    for (int i = 0; i < 4; ++i) {
        const std::optional<double> dValue = ReadNumber(Text(texts, rangeBoxes[i]), locale);
        if (!dValue)
            return ViewRefusal{Translated("%1 must be a number.").arg(ViewBoxName(rangeBoxes[i])), rangeBoxes[i]};
        dRange[i] = *dValue;
    }

    // The graph window divides by the counts and the sensitivity.
    std::int16_t iWhole[3] = {};
    const ViewBox wholeBoxes[3] = {ViewBox::DivisionsX, ViewBox::DivisionsY, ViewBox::PolarSensitivity};
    constexpr std::int16_t iLargest = std::numeric_limits<std::int16_t>::max();
    for (int i = 0; i < 3; ++i) {
        const std::optional<std::int16_t> iValue = ReadWholeNumber(Text(texts, wholeBoxes[i]), 1, iLargest, locale);
        if (!iValue)
            return ViewRefusal{
                Translated("%1 must be a number from 1 to %2.").arg(ViewBoxName(wholeBoxes[i])).arg(iLargest),
                wholeBoxes[i]};
        iWhole[i] = *iValue;
    }

    if (dRange[0] == dRange[1] || dRange[2] == dRange[3])
        return ViewRefusal{Translated("Invalid starting and ending range specified"), std::nullopt};

    const AxisRange x = FromStartEnd(dRange[0], dRange[1]);
    const AxisRange y = FromStartEnd(dRange[2], dRange[3]);
    const struct {
        const AxisRange& range;
        ViewBox start;
    } axes[] = {{x, ViewBox::StartX}, {y, ViewBox::StartY}};
    for (const auto& axis : axes) {
        if (!Drawable(axis.range))
            return ViewRefusal{Translated("The %1 range from Start to End is too small or too large to draw.")
                                   .arg(ViewAxisCaption(axis.start)),
                               axis.start};
    }
    ViewSettings settings = base;
    settings.dScaleX = x.dScale;
    settings.dOriginX = x.dOrigin;
    settings.iDivisionsX = iWhole[0];
    settings.dScaleY = y.dScale;
    settings.dOriginY = y.dOrigin;
    settings.iDivisionsY = iWhole[1];
    settings.iPolarSensitivity = iWhole[2];
    settings.bGrids = bGrids;
    return settings;
}

bool DrawableRange(double dStart, double dEnd)
{
    return Drawable(FromStartEnd(dStart, dEnd));
}

std::optional<QString> SensitivityNote(const ViewSettings& settings)
{
    if (settings.iPolarSensitivity <= 1000)
        return std::nullopt;
    return Translated("Polar sensitivity is too high which may slow the application");
}

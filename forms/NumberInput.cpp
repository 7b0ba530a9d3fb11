#include "NumberInput.h"

#include <cmath>

std::optional<double> ReadNumber(const QString& strText, const QLocale& locale)
{
    for (const QLocale& reader : {locale, QLocale::c()}) {
        bool bOk = false;
        const double dValue = reader.toDouble(strText.trimmed(), &bOk);
        if (bOk)
            return std::isfinite(dValue) ? std::optional<double>(dValue) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::int16_t> ReadWholeNumber(const QString& strText, std::int16_t iMin, std::int16_t iMax,
                                            const QLocale& locale)
{
    const std::optional<double> dValue = ReadNumber(strText, locale);
    if (!dValue)
        return std::nullopt;
    const double dWhole = std::nearbyint(*dValue);
    if (dWhole < iMin || dWhole > iMax)
        return std::nullopt;
    return static_cast<std::int16_t>(dWhole);
}

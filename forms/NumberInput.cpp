#include "NumberInput.h"

#include <cmath>

std::optional<double> ReadNumber(const QString& strText, const QLocale& locale)
{
    for (QLocale reader : {locale, QLocale::c()}) {
        // A group separator is never taken: "2.500" under a locale that
        // groups with "." is 2.5 by the "." reading, not 2500, and "1,000"
        // is not a number where "," groups.
        reader.setNumberOptions(reader.numberOptions() | QLocale::RejectGroupSeparator);
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

#include "NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace {

constexpr int kSignificantDigits = 15;

// A finite value as its significant digits: the value is
// 0.d1d2d3... * 10^(iExponent + 1), i.e. d1.d2d3... E iExponent.
// No digits at all means zero; trailing zeros are never kept.
struct Decimal {
    bool bNegative = false;
    std::string digits;
    int iExponent = 0;
};

void DropTrailingZeros(Decimal& decimal)
{
    while (!decimal.digits.empty() && decimal.digits.back() == '0')
        decimal.digits.pop_back();
}

// The value rounded to 15 significant digits; to_chars rounds exactly,
// from the binary value, and never looks at any locale.
Decimal ToDecimal(double dValue)
{
    Decimal decimal;
    if (dValue == 0.0)
        return decimal; // negative zero too

    char buffer[64];
    const auto converted = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(dValue),
                                         std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view scientific(buffer, std::size_t(converted.ptr - buffer));
    const std::size_t exponentAt = scientific.find('e');

    for (char c : scientific.substr(0, exponentAt))
        if (c != '.')
            decimal.digits += c;
    for (char c : scientific.substr(exponentAt + 2))
        decimal.iExponent = decimal.iExponent * 10 + (c - '0');
    if (scientific[exponentAt + 1] == '-')
        decimal.iExponent = -decimal.iExponent;
    decimal.bNegative = dValue < 0;
    DropTrailingZeros(decimal);
    return decimal;
}

std::string ToText(const Decimal& decimal)
{
    if (decimal.digits.empty())
        return "0";

    // Large values always take exponent form, as do small values whose fixed
    // form would need more than 15 places after the point. For a small value
    // d.ddd E-e with m digits after the mantissa's point, the test below is
    // e + (m - 1) < 15, with (m - 1) taken as 0 when m is 0: so 1.5E-05 gives
    // "0.000015" and 1.2E-14 gives "0.000000000000012", while 1E-15 stays.
    const std::string& digits = decimal.digits;
    const int exponent = decimal.iExponent;
    const int mantissaPlaces = int(digits.size()) - 1;
    bool exponentForm = exponent >= kSignificantDigits;
    if (exponent < -4) {
        const int extra = mantissaPlaces > 0 ? mantissaPlaces - 1 : 0;
        exponentForm = -exponent + extra >= kSignificantDigits;
    }

    std::string text = decimal.bNegative ? "-" : "";
    if (exponentForm) {
        text += digits[0];
        if (mantissaPlaces > 0) {
            text += '.';
            text.append(digits, 1);
        }
        text += 'E';
        text += exponent < 0 ? '-' : '+';
        const int magnitude = std::abs(exponent);
        if (magnitude < 10)
            text += '0';
        text += std::to_string(magnitude);
    } else if (exponent >= 0) {
        const std::size_t wholeDigits = std::size_t(exponent) + 1;
        if (digits.size() <= wholeDigits) {
            text += digits;
            text.append(wholeDigits - digits.size(), '0');
        } else {
            text.append(digits, 0, wholeDigits);
            text += '.';
            text.append(digits, wholeDigits);
        }
    } else {
        text += "0.";
        text.append(std::size_t(-exponent - 1), '0');
        text += digits;
    }
    return text;
}

std::string NonFiniteText(double dValue)
{
    if (std::isnan(dValue))
        return "NaN";
    return dValue < 0 ? "-Infinity" : "Infinity";
}

// Values from here up have no places to round, and scaling them could
// overflow.
constexpr double kNothingToRound = 1e15;

// The general digits of the value rounded to a number of places, halves to
// even, on the scaled binary value: nearbyint(v * 10^places) / 10^places.
std::string RoundedDigits(double dValue, int iPlaces)
{
    if (!std::isfinite(dValue))
        return NonFiniteText(dValue);
    if (std::fabs(dValue) < kNothingToRound) {
        const double dScale = std::pow(10.0, iPlaces);
        dValue = std::nearbyint(dValue * dScale) / dScale;
    }
    return ToText(ToDecimal(dValue));
}

// Drops the "0" in front of the point: "0.5" -> ".5", "-0.5" -> "-.5".
std::string WithoutLeadingZero(std::string text)
{
    const std::size_t start = (!text.empty() && text[0] == '-') ? 1 : 0;
    if (text.compare(start, 2, "0.") == 0)
        text.erase(start, 1);
    return text;
}

// A space in front of everything that does not already start with "-".
std::string WithSignSpace(std::string text)
{
    if (text.empty() || text[0] != '-')
        text.insert(text.begin(), ' ');
    return text;
}

QString WithLocalePoint(const std::string& text, const QLocale& locale)
{
    QString result = QString::fromLatin1(text.data(), qsizetype(text.size()));
    result.replace(QLatin1Char('.'), locale.decimalPoint());
    return result;
}

} // namespace

std::string GeneralDigits(double dValue)
{
    if (!std::isfinite(dValue))
        return NonFiniteText(dValue);
    return ToText(ToDecimal(dValue));
}

QString GeneralText(double dValue, const QLocale& locale)
{
    return WithLocalePoint(GeneralDigits(dValue), locale);
}

QString LabelText(double dValue)
{
    const std::string text = WithSignSpace(WithoutLeadingZero(RoundedDigits(dValue, 3)));
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QString ReadoutText(double dValue, const QLocale& locale)
{
    return WithLocalePoint(RoundedDigits(dValue, 5), locale);
}

QString ShortestText(double dValue)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, dValue);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString TraceText(double dValue, double dResolution, const QLocale& locale)
{
    if (!(dResolution > 0) || !std::isfinite(dValue) || dValue == 0)
        return dResolution > 0 ? ReadoutText(dValue, locale) : GeneralText(dValue, locale);
    // Places for 5 significant digits, and for a tenth of the resolution.
    const int iSignificant = 4 - static_cast<int>(std::floor(std::log10(std::fabs(dValue))));
    const int iResolved = 1 + static_cast<int>(std::ceil(-std::log10(dResolution)));
    const int iPlaces = std::max({5, iSignificant, iResolved});
    // Beyond 15 significant digits there is nothing left to round.
    if (iPlaces > iSignificant + kSignificantDigits - 5)
        return GeneralText(dValue, locale);
    return WithLocalePoint(RoundedDigits(dValue, iPlaces), locale);
}

QString PrintedText(double dValue, const QLocale& locale)
{
    return WithLocalePoint(WithSignSpace(WithoutLeadingZero(RoundedDigits(dValue, 6))) + ' ', locale);
}

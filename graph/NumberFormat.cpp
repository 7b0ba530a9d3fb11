#include "NumberFormat.h"

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

// Rounds the digits to a number of places after the point, halves to even.
// The half is judged on the 15 digits the program shows, so 2.0005 counts as
// a half (and rounds to 2) although the double itself is a little above it.
// For halves that the double holds exactly, such as 0.0625, this is what
// nearbyint(value * 1000) / 1000 gives too.
void RoundToPlaces(Decimal& decimal, int iPlaces)
{
    const int keep = decimal.iExponent + 1 + iPlaces; // significant digits that stay
    if (keep >= int(decimal.digits.size()))
        return;
    if (keep < 0) {
        decimal.digits.clear(); // below a tenth of the last place: rounds to zero
        return;
    }

    const std::string_view rest = std::string_view(decimal.digits).substr(std::size_t(keep));
    const bool aboveHalf = rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string_view::npos);
    const bool half = rest[0] == '5' && !aboveHalf;
    const bool lastKeptOdd = keep > 0 && (decimal.digits[std::size_t(keep) - 1] - '0') % 2 == 1;
    decimal.digits.resize(std::size_t(keep));

    if (aboveHalf || (half && lastKeptOdd)) {
        std::size_t position = decimal.digits.size();
        while (position > 0 && decimal.digits[position - 1] == '9')
            decimal.digits[--position] = '0';
        if (position > 0) {
            ++decimal.digits[position - 1];
        } else {
            decimal.digits.insert(decimal.digits.begin(), '1');
            ++decimal.iExponent;
        }
    }
    DropTrailingZeros(decimal);
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

// The general digits of the value rounded to a number of places.
std::string RoundedDigits(double dValue, int iPlaces)
{
    if (!std::isfinite(dValue))
        return NonFiniteText(dValue);
    Decimal decimal = ToDecimal(dValue);
    RoundToPlaces(decimal, iPlaces);
    return ToText(decimal);
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

QString LabelText(double dValue)
{
    const std::string text = WithSignSpace(WithoutLeadingZero(RoundedDigits(dValue, 3)));
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QString ReadoutText(double dValue, const QLocale& locale)
{
    return WithLocalePoint(RoundedDigits(dValue, 5), locale);
}

QString PrintedText(double dValue, const QLocale& locale)
{
    return WithLocalePoint(WithSignSpace(WithoutLeadingZero(RoundedDigits(dValue, 6))) + ' ', locale);
}

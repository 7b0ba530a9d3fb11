#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The general conversion of an operand, which ParseOperandNumber falls back
// on: the library's, limited to the forms below.
bool ParseGeneralOperandNumber(std::string_view strOperand, double& dValue);

// The most digits a short number has.
inline constexpr std::size_t kShortNumberDigits = 15;

// The value of a short number: the whole number made of all its digits, and
// how many of them follow its point.
inline double ShortNumberValue(std::uint64_t whole, std::size_t decimals)
{
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    // Converted as a signed number, which takes one instruction: a whole of
    // up to fifteen digits is far below 2^63.
    return static_cast<double>(static_cast<std::int64_t>(whole)) / kPowersOfTen[decimals];
}

// What reading a short number from `first` on found: where the reading
// stopped (at the first character that is neither a digit nor the first
// point, or at last), its digits read as one whole number, how many digits
// there are, and how many of them follow the point. Up to fifteen digits in
// all, the whole number is exact, and so is a power of ten up to 10^15;
// dividing the one by the other rounds the quotient once, to the nearest
// double, which is the value the general conversion gives.
struct ShortNumber {
    const char* stop;
    std::uint64_t whole;
    std::size_t digits;
    std::size_t decimals;

    bool IsShort() const { return digits > 0 && digits <= kShortNumberDigits; }
    double Value() const { return ShortNumberValue(whole, decimals); }
};

// The one reader of short numbers, for the evaluator's scan and for any
// operand. (Past fifteen digits the whole number may wrap around; such a
// number is not short.)
inline ShortNumber ReadShortNumber(const char* first, const char* last)
{
    std::uint64_t whole = 0;
    const char* point = nullptr;
    const char* p = first;
    for (; p != last; ++p) {
        const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
        if (digit < 10)
            whole = whole * 10 + digit;
        else if (*p == '.' && !point)
            point = p;
        else
            break;
    }
    const auto length = static_cast<std::size_t>(p - first);
    return {p, whole, length - (point ? 1 : 0), point ? static_cast<std::size_t>(p - point - 1) : 0};
}

// The short numbers that are by far the most common operands, converted
// inline; false, with dValue unchanged, for any other text, which then needs
// the general conversion.
inline bool ParseShortOperandNumber(std::string_view strOperand, double& dValue)
{
    if (strOperand.size() > kShortNumberDigits + 1)
        return false;
    const char* const last = strOperand.data() + strOperand.size();
    const ShortNumber number = ReadShortNumber(strOperand.data(), last);
    if (number.stop != last || !number.IsShort())
        return false;
    dValue = number.Value();
    return true;
}

// Converts an operand of an expression to a number. Accepts plain decimal
// numbers with an optional point and exponent ("2", ".5", "2.", "1e5") and
// nothing else: no signs, no "inf" or "nan", no hexadecimal, no empty text,
// no values beyond the range of a double. Independent of the user's locale.
inline bool ParseOperandNumber(std::string_view strOperand, double& dValue)
{
    return ParseShortOperandNumber(strOperand, dValue) || ParseGeneralOperandNumber(strOperand, dValue);
}

#include "OperandNumber.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool ParseOperandNumber(std::string_view strOperand, double& dValue)
{
    if (strOperand.empty())
        return false;
    // A number starts with a digit or a point; this also keeps out the words
    // "inf", "nan" and "infinity" that the library conversion would accept.
    if (!IsDigit(strOperand.front()) && strOperand.front() != '.')
        return false;

    // Short numbers are by far the most common operands. Up to fifteen digits
    // in all, the digits read as a whole number are exact, and so is a power
    // of ten up to 10^15; dividing the one by the other rounds the quotient
    // once, to the nearest double, which is the value the general routine
    // gives. Other forms (exponents, longer numbers, stray characters) go to
    // the general routine.
    if (strOperand.size() <= 16) {
        static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                  1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        std::uint64_t whole = 0;
        int digits = 0;
        int decimals = -1; // digits after the point; -1 before it
        bool plain = true;
        for (char c : strOperand) {
            if (IsDigit(c)) {
                whole = whole * 10 + static_cast<unsigned>(c - '0');
                ++digits;
                if (decimals >= 0)
                    ++decimals;
            } else if (c == '.' && decimals < 0) {
                decimals = 0;
            } else {
                plain = false;
                break;
            }
        }
        if (plain && digits > 0 && digits <= 15) {
            const double value = static_cast<double>(whole);
            dValue = decimals > 0 ? value / kPowersOfTen[decimals] : value;
            return true;
        }
    }

    double parsed = 0;
    const char* first = strOperand.data();
    const char* last = first + strOperand.size();
    const auto [end, ec] = std::from_chars(first, last, parsed, std::chars_format::general);
    if (ec != std::errc() || end != last || !std::isfinite(parsed))
        return false;
    dValue = parsed;
    return true;
}

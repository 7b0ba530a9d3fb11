#include "OperandNumber.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool ParseGeneralOperandNumber(std::string_view strOperand, double& dValue)
{
    if (strOperand.empty())
        return false;
    // A number starts with a digit or a point; this also keeps out the words
    // "inf", "nan" and "infinity" that the library conversion would accept.
    if (!IsDigit(strOperand.front()) && strOperand.front() != '.')
        return false;

    double parsed = 0;
    const char* first = strOperand.data();
    const char* last = first + strOperand.size();
    const auto [end, ec] = std::from_chars(first, last, parsed, std::chars_format::general);
    if (ec != std::errc() || end != last || !std::isfinite(parsed))
        return false;
    dValue = parsed;
    return true;
}

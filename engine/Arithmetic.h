#pragma once

// The operators' arithmetic, shared by the evaluator's scans.

#include <cmath>
#include <cstdint>
#include <type_traits>

namespace evaluation {

// a to a whole power b from 3 to 8, exactly as std::pow gives it but
// faster; false when it cannot be sure of the value, which is then left to
// std::pow.
bool SmallWholePower(double a, double b, double& result);

// a to the power b; not finite when the result has no finite real value.
inline double Power(double a, double b)
{
    if (b == 2.0)
        return a * a;
    double r;
    if (SmallWholePower(a, b, r))
        return r;
    return std::pow(a, b);
}

// The remainder of a and b converted to the nearest 32-bit integers (halves
// to the even neighbour), with the sign of a. False when either lies outside
// the 32-bit range or b converts to 0.
inline bool Remainder(double a, double b, double& result)
{
    const double ra = std::nearbyint(a);
    const double rb = std::nearbyint(b);
    constexpr double kLow = -2147483648.0;
    constexpr double kHigh = 2147483647.0;
    if (!(ra >= kLow && ra <= kHigh && rb >= kLow && rb <= kHigh) || rb == 0)
        return false;
    const auto ia = static_cast<std::int32_t>(ra);
    const auto ib = static_cast<std::int32_t>(rb);
    // -2147483648 % -1 overflows in hardware; the remainder is 0.
    result = (ib == -1) ? 0.0 : static_cast<double>(ia % ib);
    return true;
}

// Operators as types, so that the scan has a case compiled for each operator.
template <unsigned char kOp>
using OperatorTag = std::integral_constant<unsigned char, kOp>;
} // namespace evaluation

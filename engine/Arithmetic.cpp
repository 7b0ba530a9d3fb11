#include "Arithmetic.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace evaluation {

namespace {

// a to a whole power b from 3 to 8, as std::pow gives it, without its cost:
// false when this cannot be sure of the value, which is then left to
// std::pow. Needs a fused multiply-add (std::fma as one instruction).
//
// The power is carried as a double p plus its error e, the error of each
// product found exactly by a fused multiply-add, so that p + e is far more
// accurate than any double; rounding that sum gives the nearest double to
// a^b. std::pow's result is within 0.52 units in the last place of the exact
// power (0.509 from its final step, a little more for large b*log|a|), so it
// is that nearest double too unless the exact power lies within 0.02 units
// of the middle between two doubles. Powers that the sum puts within 1/16 of
// a unit of such a middle, or on a power of two (where the spacing of the
// doubles changes), are left to std::pow. The base is kept between 2^-64 and
// 2^64 so that no step overflows or loses precision to tiny numbers.
inline bool FusedWholePower(double a, double b, double& result)
{
    const double magnitude = std::fabs(a);
    if (!(b >= 3 && b <= 8 && magnitude >= 0x1p-64 && magnitude <= 0x1p64))
        return false;
    const int n = static_cast<int>(b);
    if (n != b)
        return false;
    double p = a;
    double e = 0;
    for (int k = 1; k < n; ++k) {
        const double q = p * a;
        e = e * a + std::fma(p, a, -q);
        p = q;
    }
    // Rounded to the nearest double r, with what is left over (exactly).
    const double r = p + e;
    const double left = e - (r - p);
    constexpr std::uint64_t kExponentBits = 0x7ff0000000000000u;
    constexpr std::uint64_t kFractionBits = 0x000fffffffffffffu;
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(r);
    if ((bits & kFractionBits) == 0)
        return false; // a power of two
    // The unit in the last place of r is its power of two times 2^-52.
    const double unit = std::bit_cast<double>(bits & kExponentBits) * 0x1p-52;
    if (!(std::fabs(left) < unit * (0.5 - 1.0 / 16)))
        return false;
    result = r;
    return true;
}

} // namespace

#if defined(FP_FAST_FMA)
// Built for processors that all have the instruction.
bool SmallWholePower(double a, double b, double& result)
{
    return FusedWholePower(a, b, result);
}
#elif defined(__x86_64__) && defined(__GNUC__)
// Built for processors that may lack the instruction: used where this one
// has it.
[[gnu::target("fma")]] static bool FusedWholePowerHere(double a, double b, double& result)
{
    return FusedWholePower(a, b, result);
}
const bool kHaveFusedMultiplyAdd = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("fma") != 0;
}();
bool SmallWholePower(double a, double b, double& result)
{
    return kHaveFusedMultiplyAdd && FusedWholePowerHere(a, b, result);
}
#else
bool SmallWholePower(double, double, double&)
{
    return false;
}
#endif

} // namespace evaluation

#include "FunctionTable.h"

#include "Arithmetic.h"

#include <bit>
#include <math.h>
#include <cstdint>
#include <cstring>
#include <limits>

namespace evaluation {

namespace {

using Steps = FormulaSteps;

// The library functions are named by their C names, whose addresses can be
// taken: the quick scan then calls them with no step in between.

// In the order of the evaluator's list of functions.
constexpr FunctionEntry kFunctions[] = {
    {"abs", [](double v, Steps&) { return std::fabs(v); }, ::fabs},
    {"sin", [](double v, Steps& f) { return f.Check(std::sin(v)); }, ::sin},
    {"cos", [](double v, Steps& f) { return f.Check(std::cos(v)); }, ::cos},
    {"tan", [](double v, Steps& f) { return f.Check(std::tan(v)); }, ::tan},
    {"sec", [](double v, Steps& f) { return f.Div(1, f.Check(std::cos(v))); }, nullptr},
    {"cosec", [](double v, Steps& f) { return f.Div(1, f.Check(std::sin(v))); }, nullptr},
    {"cot", [](double v, Steps& f) { return f.Div(1, f.Check(std::tan(v))); }, nullptr},
    {"arcsin", [](double v, Steps& f) { return f.Check(std::atan(f.Div(v, f.Sqrt(f.Add(f.Mul(-v, v), 1))))); },
     nullptr},
    {"arccos",
     [](double v, Steps& f) {
         return f.Add(f.Check(std::atan(f.Div(-v, f.Sqrt(f.Add(f.Mul(-v, v), 1))))), 2 * std::atan(1.0));
     },
     nullptr},
    {"arctan", [](double v, Steps& f) { return f.Check(std::atan(v)); }, ::atan},
    {"exp", [](double v, Steps& f) { return f.Exp(v); }, ::exp},
    // Not finite at 0 (minus infinity) and below (not a number).
    {"ln", [](double v, Steps& f) { return f.Ln(v); }, ::log},
    {"log", [](double v, Steps& f) { return f.Div(f.Ln(v), std::log(10.0)); }, nullptr},
    {"antilog", [](double v, Steps& f) { return f.Check(Power(10, v)); }, nullptr},
    // Not a number below 0.
    {"sqrt", [](double v, Steps& f) { return f.Sqrt(v); }, ::sqrt},
    {"sinh", [](double v, Steps& f) { return f.Div(f.Add(f.Exp(v), -f.Exp(-v)), 2); }, nullptr},
    {"cosh", [](double v, Steps& f) { return f.Div(f.Add(f.Exp(v), f.Exp(-v)), 2); }, nullptr},
    {"tanh",
     [](double v, Steps& f) {
         const double ep = f.Exp(v);
         const double en = f.Exp(-v);
         return f.Div(f.Add(ep, -en), f.Add(ep, en));
     },
     nullptr},
    {"arcsinh", [](double v, Steps& f) { return f.Ln(f.Add(f.Sqrt(f.Add(f.Mul(v, v), 1)), v)); }, nullptr},
    {"arccosh", [](double v, Steps& f) { return f.Ln(f.Add(f.Sqrt(f.Add(f.Mul(v, v), -1)), v)); }, nullptr},
    {"arctanh", [](double v, Steps& f) { return f.Div(f.Ln(f.Div(f.Add(1, v), f.Add(1, -v))), 2); }, nullptr},
};

// A name of two to seven characters packed into one number, its first
// character in the lowest byte, each character with bit 5 set: that makes
// capital letters small and leaves every other character a non-letter, and
// every packed character non-zero, so that the number also tells the length.
// The function names are small letters throughout, so a name matches one
// exactly when the two differ at most in the case of their letters.
constexpr std::uint64_t NameKey(std::string_view strName)
{
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < strName.size(); ++i)
        key |= static_cast<std::uint64_t>(static_cast<unsigned char>(strName[i]) | 0x20) << (8 * i);
    return key;
}
std::uint64_t NameKeyOf(std::string_view strName)
{
    if constexpr (std::endian::native != std::endian::little)
        return NameKey(strName);
    const std::size_t n = strName.size();
    const char* const name = strName.data();
    std::uint64_t key;
    if (n >= 4) {
        std::uint32_t first;
        std::uint32_t last;
        std::memcpy(&first, name, 4);
        std::memcpy(&last, name + n - 4, 4);
        key = first | (static_cast<std::uint64_t>(last) << (8 * (n - 4)));
    } else {
        std::uint16_t first;
        std::uint16_t last;
        std::memcpy(&first, name, 2);
        std::memcpy(&last, name + n - 2, 2);
        key = first | (static_cast<std::uint64_t>(last) << (8 * (n - 2)));
    }
    return key | (0x2020202020202020u >> (8 * (8 - n)));
}

} // namespace

const FunctionEntry* LookupFunction(std::string_view strName)
{
    if (strName.size() < 2 || strName.size() > 7)
        return nullptr;
    // A switch over the names' keys, each case a constant, so that the
    // compiler finds the name by a few comparisons.
    const std::uint64_t key = NameKeyOf(strName);
    int index = -1;
    switch (key) {
#define VELMORA_FUNCTION_CASE(i)                                                                                       \
    case NameKey(kFunctions[i].name): index = i; break;
        VELMORA_FUNCTION_CASE(0) VELMORA_FUNCTION_CASE(1) VELMORA_FUNCTION_CASE(2) VELMORA_FUNCTION_CASE(3)
        VELMORA_FUNCTION_CASE(4) VELMORA_FUNCTION_CASE(5) VELMORA_FUNCTION_CASE(6) VELMORA_FUNCTION_CASE(7)
        VELMORA_FUNCTION_CASE(8) VELMORA_FUNCTION_CASE(9) VELMORA_FUNCTION_CASE(10) VELMORA_FUNCTION_CASE(11)
        VELMORA_FUNCTION_CASE(12) VELMORA_FUNCTION_CASE(13) VELMORA_FUNCTION_CASE(14) VELMORA_FUNCTION_CASE(15)
        VELMORA_FUNCTION_CASE(16) VELMORA_FUNCTION_CASE(17) VELMORA_FUNCTION_CASE(18) VELMORA_FUNCTION_CASE(19)
        VELMORA_FUNCTION_CASE(20)
#undef VELMORA_FUNCTION_CASE
    default: break;
    }
    static_assert(std::size(kFunctions) == 21, "a case for each function");
    return index < 0 ? nullptr : &kFunctions[index];
}

double FunctionValue(double v, std::string_view strName, bool& bError)
{
    const FunctionEntry* const entry = LookupFunction(strName);
    if (!entry)
        return 0;
    FormulaSteps f;
    const double r = entry->formula(v, f);
    if (!f.bFailed)
        return r;
    bError = true;
    return 0;
}

// Kept out of the scan, which then needs only a call at each place it
// applies a function.
[[gnu::noinline]] double QuickFunctionValue(double v, std::string_view strName)
{
    const FunctionEntry* const entry = LookupFunction(strName);
    if (!entry)
        return 0;
    if (entry->library)
        return entry->library(v);
    FormulaSteps f;
    const double r = entry->formula(v, f);
    return f.bFailed ? std::numeric_limits<double>::quiet_NaN() : r;
}

} // namespace evaluation

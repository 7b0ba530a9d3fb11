#include "clsMath.h"

#include "OperandNumber.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>
#include <vector>

namespace {

constexpr double kHalfPi = MathConstants::kPi / 2;

// How the scan sees each character. The operand characters come first: the
// digits, whose class is their value, then x, then the other operand
// characters. kScanEnd is the terminating NUL of a std::string (a NUL inside
// the text is an operand character like any other). The classes from
// kScanClose on end an operand and have it evaluated; the operators' classes
// also serve as the scan's codes for them.
enum ScanClass : unsigned char {
    kScanX = 10, kScanOther, kScanSpace, kScanEnd, kScanOpen, kScanClose,
    kScanAdd, kScanSubtract, kScanMultiply, kScanDivide, kScanPower, kScanRemainder,
};

constexpr std::array<unsigned char, 256> MakeScanClasses()
{
    std::array<unsigned char, 256> classes{};
    classes.fill(kScanOther);
    for (unsigned char digit = 0; digit < 10; ++digit)
        classes['0' + digit] = digit;
    classes['x'] = kScanX;
    classes[' '] = kScanSpace;
    classes['\0'] = kScanEnd;
    classes['('] = kScanOpen;
    classes[')'] = kScanClose;
    classes['+'] = kScanAdd;
    classes['-'] = kScanSubtract;
    classes['*'] = kScanMultiply;
    classes['/'] = kScanDivide;
    classes['^'] = kScanPower;
    classes['%'] = kScanRemainder;
    return classes;
}
constexpr std::array<unsigned char, 256> kScanClass = MakeScanClasses();

inline unsigned char ScanClassOf(char c) { return kScanClass[static_cast<unsigned char>(c)]; }
// An operand of one character that needs no conversion: x or a digit.
inline bool IsSimpleOperand(unsigned char cls) { return cls <= kScanX; }
inline bool IsOperandClass(unsigned char cls) { return cls <= kScanOther; }

// How the bracketing passes see each character: the scan's classes with the
// two operators of each precedence level taken together.
enum CharClass : unsigned char { kOperand, kOpen, kClose, kAddSub, kMulDiv, kPowMod, kSpace, kEnd };

// The bracketing passes' class of a character of scan class cls.
constexpr unsigned char CharClassOf(unsigned char cls)
{
    switch (cls) {
    case kScanOpen: return kOpen;
    case kScanClose: return kClose;
    case kScanAdd:
    case kScanSubtract: return kAddSub;
    case kScanMultiply:
    case kScanDivide: return kMulDiv;
    case kScanPower:
    case kScanRemainder: return kPowMod;
    case kScanSpace: return kSpace;
    case kScanEnd: return kEnd;
    default: return kOperand;
    }
}

constexpr std::array<unsigned char, 256> MakeCharClasses()
{
    std::array<unsigned char, 256> classes{};
    for (std::size_t c = 0; c < classes.size(); ++c)
        classes[c] = CharClassOf(kScanClass[c]);
    return classes;
}
constexpr std::array<unsigned char, 256> kCharClass = MakeCharClasses();

inline unsigned char ClassOf(char c) { return kCharClass[static_cast<unsigned char>(c)]; }

// What a bracket level has met so far, for telling whether the bracketing
// passes would change a text: they put brackets around a "*" or "/" that
// follows a "+" or "-" within the same level, and around a "^" or "%" that
// follows any of "+ - * /" within it.
constexpr unsigned char kSeenAddSub = 1;
constexpr unsigned char kSeenMulDiv = 2;

// Records an operator of class kClass (kAddSub, kMulDiv or kPowMod) at the
// current level; false when the bracketing passes would bracket it.
template <unsigned char kClass>
inline bool NoteOperator(unsigned char& seen)
{
    if constexpr (kClass == kAddSub) {
        seen |= kSeenAddSub;
        return true;
    } else if constexpr (kClass == kMulDiv) {
        if (seen & kSeenAddSub)
            return false;
        seen |= kSeenMulDiv;
        return true;
    } else {
        static_assert(kClass == kPowMod);
        return seen == 0;
    }
}

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

#if defined(FP_FAST_FMA)
// Built for processors that all have the instruction.
bool SmallWholePower(double a, double b, double& result)
{
    return FusedWholePower(a, b, result);
}
#elif defined(__x86_64__) && defined(__GNUC__)
// Built for processors that may lack the instruction: used where this one
// has it.
[[gnu::target("fma")]] bool FusedWholePowerHere(double a, double b, double& result)
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
bool Remainder(double a, double b, double& result)
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

enum class Function {
    Unknown, Abs, Sin, Cos, Tan, Sec, Cosec, Cot, Arcsin, Arccos, Arctan, Exp, Ln, Log,
    Antilog, Sqrt, Sinh, Cosh, Tanh, Arcsinh, Arccosh, Arctanh,
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

// The same for a name in the text, read as two overlapping pieces.
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

Function LookupFunction(std::string_view strName)
{
    if (strName.size() < 2 || strName.size() > 7)
        return Function::Unknown;
    switch (NameKeyOf(strName)) {
    case NameKey("abs"): return Function::Abs;
    case NameKey("sin"): return Function::Sin;
    case NameKey("cos"): return Function::Cos;
    case NameKey("tan"): return Function::Tan;
    case NameKey("sec"): return Function::Sec;
    case NameKey("cosec"): return Function::Cosec;
    case NameKey("cot"): return Function::Cot;
    case NameKey("arcsin"): return Function::Arcsin;
    case NameKey("arccos"): return Function::Arccos;
    case NameKey("arctan"): return Function::Arctan;
    case NameKey("exp"): return Function::Exp;
    case NameKey("ln"): return Function::Ln;
    case NameKey("log"): return Function::Log;
    case NameKey("antilog"): return Function::Antilog;
    case NameKey("sqrt"): return Function::Sqrt;
    case NameKey("sinh"): return Function::Sinh;
    case NameKey("cosh"): return Function::Cosh;
    case NameKey("tanh"): return Function::Tanh;
    case NameKey("arcsinh"): return Function::Arcsinh;
    case NameKey("arccosh"): return Function::Arccosh;
    case NameKey("arctanh"): return Function::Arctanh;
    default: return Function::Unknown;
    }
}

// The arithmetic steps of the function formulas. Each step that divides by
// zero, takes the root of a negative number, the logarithm of a number that
// is not positive, or gives a value that is not a finite double marks the
// whole formula as failed.
struct FormulaSteps {
    bool bFailed = false;

    double Check(double r)
    {
        if (!std::isfinite(r))
            bFailed = true;
        return r;
    }
    double Div(double a, double b)
    {
        if (b == 0) {
            bFailed = true;
            return 0;
        }
        return Check(a / b);
    }
    double Sqrt(double a)
    {
        if (a < 0) {
            bFailed = true;
            return 0;
        }
        return Check(std::sqrt(a));
    }
    double Ln(double a)
    {
        if (!(a > 0)) {
            bFailed = true;
            return 0;
        }
        return Check(std::log(a));
    }
    double Exp(double a) { return Check(std::exp(a)); }
    double Mul(double a, double b) { return Check(a * b); }
    double Add(double a, double b) { return Check(a + b); }
};

// The value of function fn at v by its formula; f notes whether it failed.
double FunctionFormula(Function fn, double v, FormulaSteps& f)
{
    switch (fn) {
    case Function::Unknown: return 0;
    case Function::Abs: return std::fabs(v);
    case Function::Sin: return f.Check(std::sin(v));
    case Function::Cos: return f.Check(std::cos(v));
    case Function::Tan: return f.Check(std::tan(v));
    case Function::Sec: return f.Div(1, f.Check(std::cos(v)));
    case Function::Cosec: return f.Div(1, f.Check(std::sin(v)));
    case Function::Cot: return f.Div(1, f.Check(std::tan(v)));
    case Function::Arcsin: return f.Check(std::atan(f.Div(v, f.Sqrt(f.Add(f.Mul(-v, v), 1)))));
    case Function::Arccos:
        return f.Add(f.Check(std::atan(f.Div(-v, f.Sqrt(f.Add(f.Mul(-v, v), 1))))), 2 * std::atan(1.0));
    case Function::Arctan: return f.Check(std::atan(v));
    case Function::Exp: return f.Exp(v);
    case Function::Ln: return f.Ln(v);
    case Function::Log: return f.Div(f.Ln(v), std::log(10.0));
    case Function::Antilog: return f.Check(Power(10, v));
    case Function::Sqrt: return f.Sqrt(v);
    case Function::Sinh: return f.Div(f.Add(f.Exp(v), -f.Exp(-v)), 2);
    case Function::Cosh: return f.Div(f.Add(f.Exp(v), f.Exp(-v)), 2);
    case Function::Tanh: {
        const double ep = f.Exp(v);
        const double en = f.Exp(-v);
        return f.Div(f.Add(ep, -en), f.Add(ep, en));
    }
    case Function::Arcsinh: return f.Ln(f.Add(f.Sqrt(f.Add(f.Mul(v, v), 1)), v));
    case Function::Arccosh: return f.Ln(f.Add(f.Sqrt(f.Add(f.Mul(v, v), -1)), v));
    case Function::Arctanh: return f.Div(f.Ln(f.Div(f.Add(1, v), f.Add(1, -v))), 2);
    }
    return 0;
}

// The value of a function for the quick scan, which notes only whether some
// value was not finite: here every failure of the formula gives a value that
// is not finite. The commonest functions give such values by themselves and go
// straight to the library; the others take the checked formula. Kept out of
// the scan, which then needs only a call at each place it applies a function.
[[gnu::noinline]] double QuickFunctionValue(double v, std::string_view strName)
{
    const Function fn = LookupFunction(strName);
    switch (fn) {
    case Function::Unknown: return 0;
    case Function::Abs: return std::fabs(v);
    case Function::Sin: return std::sin(v);
    case Function::Cos: return std::cos(v);
    case Function::Tan: return std::tan(v);
    case Function::Arctan: return std::atan(v);
    case Function::Exp: return std::exp(v);
    case Function::Ln: return std::log(v);    // -inf at 0, NaN below
    case Function::Sqrt: return std::sqrt(v); // NaN below 0
    default: {
        FormulaSteps f;
        const double r = FunctionFormula(fn, v, f);
        return f.bFailed ? std::numeric_limits<double>::quiet_NaN() : r;
    }
    }
}

// What a bracket interrupts: the enclosing scan's accumulator and pending
// operator, and the operand read just before the bracket, which names the
// function applied to the group. (The enclosing scan's last value needs no
// saving: the group's value replaces it.) Trivially constructible, so that
// the frame stack costs nothing until used.
struct ScanFrame {
    double acc;
    const char* name; // the operand before the group's "(", which names its function
    std::size_t n;    // length of that name
    unsigned char op; // the pending operator, by its class
    unsigned char seen; // operators met at that level, for the prepared-text check
};

// The scan frames of the enclosing groups, indexed by depth; the scan keeps
// the depth itself, in a register. They live on the machine stack for
// ordinary nesting depths; only the growable kind moves deeper nesting to the
// heap, the other refuses it.
template <bool kGrowable>
class FrameStore {
public:
    // Where the frame at `depth` goes; null when the store is full. Fields are
    // written one by one through it: building a whole frame and copying it
    // costs a stalled store-to-load forward on some processors.
    ScanFrame* Slot(std::size_t depth)
    {
        if (depth < m_inline.size())
            return &m_inline[depth];
        if constexpr (kGrowable) {
            const std::size_t i = depth - m_inline.size();
            if (i >= m_overflow.size())
                m_overflow.resize(i + 1);
            return &m_overflow[i];
        }
        return nullptr;
    }
    const ScanFrame& Get(std::size_t depth) const
    {
        if constexpr (kGrowable) {
            if (depth >= m_inline.size())
                return m_overflow[depth - m_inline.size()];
        }
        return m_inline[depth];
    }

private:
    struct NoOverflow {};
    std::array<ScanFrame, 48> m_inline;
    [[no_unique_address]] std::conditional_t<kGrowable, std::vector<ScanFrame>, NoOverflow> m_overflow;
};

// One pass of precedence bracketing for the operators of class opClass
// (kMulDiv or kPowMod): every such operator whose left operand reaches back
// to a left stop (an operator that binds less tightly) at its own bracket
// depth gets its operands bracketed, so that it is evaluated first.
void BracketPass(std::string& t, unsigned char opClass)
{
    auto isOp = [opClass](char c) { return ClassOf(c) == opClass; };
    auto isStop = [opClass](char c) {
        const unsigned char cls = ClassOf(c);
        return cls == kAddSub || (opClass == kPowMod && cls == kMulDiv);
    };

    // Position of an earlier operator of this pass whose leftward search found
    // no stop; a search that reaches it at depth 0 can end there, because
    // everything to its left is already known to hold no stop. It keeps long
    // chains such as "x*x*x*..." linear.
    constexpr std::size_t kNone = std::string::npos;
    std::size_t known = kNone;

    for (std::size_t p = 0; p < t.size(); ++p) {
        if (!isOp(t[p]))
            continue;

        bool found = false;
        std::size_t q = p;
        std::ptrdiff_t d = 0;
        while (q > 0) {
            --q;
            if (q == known && d == 0)
                break;
            const char c = t[q];
            if (c == ')') {
                ++d;
            } else if (c == '(') {
                if (--d < 0)
                    break;
            } else if (d == 0 && isStop(c)) {
                found = true;
                break;
            }
        }
        if (!found) {
            known = p;
            continue;
        }

        t.insert(q + 1, 1, '(');
        if (known != kNone && known > q)
            ++known;
        ++p; // the operator moved one place to the right

        // The right operand ends before a stop or a closing bracket at depth 0;
        // a text whose bracket is never closed gets it at its end.
        std::size_t r = p + 1;
        std::ptrdiff_t e = 0;
        for (; r < t.size(); ++r) {
            const char c = t[r];
            if (c == '(') {
                ++e;
            } else if (c == ')') {
                if (e == 0)
                    break;
                --e;
            } else if (e == 0 && isStop(c)) {
                break;
            }
        }
        t.insert(r, 1, ')');
        known = p;
    }
}

} // namespace

double clsMath::Evaluate(std::string& strExpression, double dvalueX)
{
    bErrorStatus = false;
    if (strExpression.size() > kMaxExpressionLength)
        return Fail();

    // A text that preparation would leave as it is (the case for every call
    // after the first on the same variable) is scanned straight away; the
    // scan itself notices when the text still needs preparing.
    ScanOutcome outcome;
    const double dResult = ScanText<true>(strExpression, dvalueX, outcome);
    if (outcome == ScanOutcome::Value)
        return dResult;

    bErrorStatus = false;
    if (outcome == ScanOutcome::NeedsPreparation) {
        InsertPrecedenceBrackets(strExpression);
        RemoveSpaces(strExpression);
        if (strExpression.size() > kMaxExpressionLength)
            return Fail();
    }
    return ScanGroup(strExpression, dvalueX);
}

bool FitsEvaluator(std::string_view strEntry)
{
    if (strEntry.size() + 2 > kMaxExpressionLength)
        return false;
    std::string strText;
    strText.reserve(strEntry.size() + 2);
    strText.push_back('(');
    strText.append(strEntry);
    strText.push_back(')');
    // Evaluating leaves the prepared form in the text, whatever the result.
    clsMath objMath;
    objMath.Evaluate(strText, 0.0);
    return strText.size() <= kMaxExpressionLength;
}

double clsMath::GetR(double X, double Y)
{
    return std::sqrt(Y * Y + X * X);
}

double clsMath::GetTheta(double X, double Y)
{
    double t;
    if (X != 0)
        t = ApplyFunction(Y / X, "arctan");
    else
        t = (Y > 0) ? kHalfPi : -kHalfPi;

    if (X < 0)
        t += MathConstants::kPi;
    else if (Y < 0)
        t += MathConstants::kTwoPi;
    return t;
}

void clsMath::RemoveSpaces(std::string& strText)
{
    if (strText.find(' ') != std::string::npos)
        std::erase(strText, ' ');
}

double clsMath::ScanGroup(const std::string& strText, double dvalueX)
{
    ScanOutcome outcome;
    return ScanText<false>(strText, dvalueX, outcome);
}

// The group scan. The quick kind, for texts that are already prepared,
// confirms on the way that the text is in its prepared form (no spaces,
// nothing for either bracketing pass to insert) and stops early when it is
// not, or when it is nested too deeply for its frames. Its arithmetic only
// notes whether some result was not a finite double, which is rare, and then
// leaves the value to the checked kind, whose arithmetic tests every result
// and goes on with 0 in its place, as the rules of evaluation require; the
// two agree on every other text.
template <bool bQuick>
double clsMath::ScanText(const std::string& strText, double dvalueX, ScanOutcome& outcome)
{
    // The scan is iterative: an opening bracket saves the enclosing scan's
    // state and its closing bracket restores it, so any depth is safe.
    // strText[0] is the group's opening bracket and is not examined. The scan
    // reads the string's terminating NUL instead of testing the length at
    // every character.
    outcome = ScanOutcome::Value;
    const std::size_t length = strText.size();
    if (length == 0 || (bQuick && strText[0] != '(')) {
        if (bQuick)
            outcome = ScanOutcome::NeedsPreparation;
        return 0;
    }
    const char* p = strText.c_str() + 1;
    const char* const end = strText.c_str() + length;

    FrameStore<!bQuick> enclosing;
    std::size_t depth = 0;     // groups open around the current one
    double acc = 0;            // the value of the group so far
    double v = 0;              // the operand or group value read last
    unsigned char op = kScanAdd; // the operator for the next operand
    unsigned char seen = 0;
    // The sum of all results of the quick scan's arithmetic and functions:
    // finite as long as they all are (or it exceeds the range of a double
    // itself, which only costs a checked scan).
    double probe = 0;

    // a op b, and whether it fails: a division by zero, a remainder outside
    // its range, a result that is not a finite double.
    auto apply = [&](auto kOp, double a, double b) {
        constexpr unsigned char kCode = decltype(kOp)::value;
        double r;
        if constexpr (kCode == kScanRemainder) {
            if (!Remainder(a, b, r))
                return Fail();
            return r; // always finite
        } else if constexpr (kCode == kScanAdd) {
            r = a + b;
        } else if constexpr (kCode == kScanSubtract) {
            r = a - b;
        } else if constexpr (kCode == kScanMultiply) {
            r = a * b;
        } else if constexpr (kCode == kScanDivide) {
            if (!bQuick && b == 0)
                return Fail();
            r = a / b; // the quick scan's quotient by 0 is not finite
        } else {
            static_assert(kCode == kScanPower);
            r = Power(a, b);
        }
        if constexpr (bQuick) {
            probe += r;
        } else {
            if (!std::isfinite(r))
                return Fail();
        }
        return r;
    };
    // The same for an operator known only when the scan runs. Addition and
    // subtraction, the commonest, share one path without a jump.
    auto applyCode = [&](unsigned char code, double a, double b) {
        if (code <= kScanSubtract) {
            // a - b is exactly a + (-b): the sign of b flipped for "-".
            const std::uint64_t sign = static_cast<std::uint64_t>(code - kScanAdd) << 63;
            return apply(OperatorTag<kScanAdd>{}, a, std::bit_cast<double>(std::bit_cast<std::uint64_t>(b) ^ sign));
        }
        switch (code) {
        case kScanMultiply: return apply(OperatorTag<kScanMultiply>{}, a, b);
        case kScanDivide: return apply(OperatorTag<kScanDivide>{}, a, b);
        case kScanPower: return apply(OperatorTag<kScanPower>{}, a, b);
        case kScanRemainder: return apply(OperatorTag<kScanRemainder>{}, a, b);
        default: __builtin_unreachable();
        }
    };
    // The function named by the n characters at name, applied to v. In the
    // quick scan a value that is not finite marks a failure.
    auto applyFunction = [&](const char* name, std::size_t n) {
        if constexpr (bQuick) {
            v = QuickFunctionValue(v, std::string_view(name, n));
            probe += v;
        } else {
            v = ApplyFunction(v, std::string_view(name, n));
        }
    };
    // An operator (or the opening bracket, as "+") at p followed by the usual
    // operand, x or one digit before an operator or a closing bracket, is
    // applied at once; the scan goes on at the character after the operand.
    auto takeSimpleOperand = [&](auto kOp) {
        const unsigned char cls = ScanClassOf(p[1]);
        if (IsSimpleOperand(cls) && ScanClassOf(p[2]) >= kScanClose) {
            v = (cls == kScanX) ? dvalueX : cls;
            acc = apply(kOp, acc, v);
            p += 2;
            return true;
        }
        ++p;
        return false;
    };
    // The commonest groups of a prepared text hold one operator between two
    // operands of one character, as "(x^2)" and "(3*x)", or one such operand,
    // as in "sin(x)". The group at p, named by the operand before it, is
    // evaluated straight away when it is one of them, without a frame;
    // otherwise nothing changes. (This and openGroup are forced inline:
    // GCC would call them out of line, which costs the scan much of its speed.)
    auto takeShortGroup = [&](const char* name) __attribute__((always_inline)) {
        const unsigned char first = ScanClassOf(p[1]);
        if (!IsSimpleOperand(first))
            return false;
        const unsigned char next = ScanClassOf(p[2]);
        const char* const open = p;
        unsigned char second = 0;
        if (next == kScanClose) {
            p += 3;
        } else {
            // next is an operator only when p[3] can be read.
            if (next < kScanAdd)
                return false;
            second = ScanClassOf(p[3]);
            if (!IsSimpleOperand(second) || ScanClassOf(p[4]) != kScanClose)
                return false;
            p += 5;
        }
        v = apply(OperatorTag<kScanAdd>{}, 0.0, (first == kScanX) ? dvalueX : first);
        if (next != kScanClose)
            v = applyCode(next, v, (second == kScanX) ? dvalueX : second);
        if (open != name)
            applyFunction(name, static_cast<std::size_t>(open - name));
        acc = applyCode(op, acc, v);
        return true;
    };
    // A group starts after the "(" at p, named by the operand before it.
    auto openGroup = [&](const char* name) __attribute__((always_inline)) {
        if (takeShortGroup(name))
            return true;
        ScanFrame* frame = enclosing.Slot(depth);
        if (!frame)
            return false;
        frame->acc = acc;
        frame->name = name;
        frame->n = static_cast<std::size_t>(p - name);
        frame->op = op;
        frame->seen = seen;
        ++depth;
        acc = 0;
        v = 0;
        op = kScanAdd;
        seen = 0;
        takeSimpleOperand(OperatorTag<kScanAdd>{});
        return true;
    };
    // The innermost group has ended: hand its value to the scan that
    // contains it.
    auto closeGroup = [&]() {
        const ScanFrame& outer = enclosing.Get(--depth);
        // Read the frame at once: a function call in between would make the
        // compiler find the frame again for every field.
        const double outerAcc = outer.acc;
        op = outer.op;
        seen = outer.seen;
        v = acc;
        if (outer.n > 0)
            applyFunction(outer.name, outer.n);
        acc = applyCode(op, outerAcc, v);
    };
    auto onOperator = [&](auto kOp) {
        if (!NoteOperator<CharClassOf(decltype(kOp)::value)>(seen) && bQuick)
            return false;
        if (!takeSimpleOperand(kOp))
            op = decltype(kOp)::value;
        return true;
    };
    // The value of the whole text; the quick scan passes it on only when all
    // its results were finite.
    auto finish = [&]() {
        if (bQuick && !std::isfinite(probe))
            outcome = ScanOutcome::NotFinite;
        return acc;
    };

    // The text's first operand, when it is x or a digit before an operator,
    // is taken as after any opening bracket.
    if (const unsigned char cls = ScanClassOf(*p); IsSimpleOperand(cls) && ScanClassOf(p[1]) >= kScanClose) {
        v = (cls == kScanX) ? dvalueX : cls;
        acc = apply(OperatorTag<kScanAdd>{}, acc, v);
        ++p;
    }
    // The steps of the scan, by the class of the character they start at.
    // Each step ends by going straight to the step for the character it
    // stopped at, so that every step has a jump of its own, which the
    // processor learns to predict from the steps that usually follow it.
    // clang-format off
    static const void* const kStep[] = {
        &&number, &&number, &&number, &&number, &&number, &&number, &&number, &&number,
        &&number, &&number, &&operand, &&operand, &&space, &&textEnd, &&open, &&close,
        &&add, &&subtract, &&multiply, &&divide, &&power, &&remainder,
    };
#define VELMORA_NEXT_STEP() goto *kStep[ScanClassOf(*p)]
    // clang-format on
    static_assert(std::size(kStep) == kScanRemainder + 1);
    VELMORA_NEXT_STEP();
space:
    if (bQuick)
        goto unprepared;
    goto textEnd; // the full path never meets one: preparation removes them
textEnd:
    if (p == end) {
        // The text ended inside the group: the operand being read is
        // dropped, and every group still open ends with the text.
        if (depth == 0)
            return finish();
        closeGroup();
        VELMORA_NEXT_STEP();
    }
    goto operand; // a NUL inside the text is an operand character
number : {
    // An operand that starts with a digit: when it is a short number
    // (up to fifteen digits, at most one point) ended by an operator or
    // a closing bracket, its value is worked out while it is read, as
    // ParseShortOperandNumber would; anything else is read again as any
    // other operand.
    const char* const first = p;
    std::uint64_t whole = 0;
    unsigned char cls = ScanClassOf(*p);
    do {
        whole = whole * 10 + cls;
        cls = ScanClassOf(*++p);
    } while (cls < 10);
    const char* const wholeEnd = p;
    if (*p == '.') {
        while ((cls = ScanClassOf(*++p)) < 10)
            whole = whole * 10 + cls;
    }
    // The digits after the point, if there is one.
    const auto decimals = (p == wholeEnd) ? 0 : static_cast<std::size_t>(p - wholeEnd - 1);
    if (cls < kScanClose || static_cast<std::size_t>(wholeEnd - first) + decimals > kShortNumberDigits) {
        p = first;
        goto operand;
    }
    v = ShortNumberValue(whole, decimals);
    acc = applyCode(op, acc, v);
    VELMORA_NEXT_STEP();
}
operand : {
    // An operand that the operator before it did not take: run over
    // its characters, then see what ends it.
    const char* const first = p;
    unsigned char cls;
    for (;;) {
        // Two characters at a time: p[2] can be read whenever p[1] is an
        // operand character, which the terminating NUL is not.
        for (;;) {
            cls = ScanClassOf(p[1]);
            if (!IsOperandClass(cls)) {
                ++p;
                break;
            }
            cls = ScanClassOf(p[2]);
            p += 2;
            if (!IsOperandClass(cls))
                break;
        }
        if (cls == kScanEnd && p != end)
            continue;
        if (cls == kScanSpace && !bQuick)
            continue;
        break;
    }
    if (cls == kScanOpen) {
        if (!openGroup(first))
            goto unprepared;
    } else if (cls >= kScanClose) {
        v = OperandValue(std::string_view(first, static_cast<std::size_t>(p - first)), dvalueX, v);
        acc = applyCode(op, acc, v);
    }
    VELMORA_NEXT_STEP(); // the end of the text and a space are met again
}
open:
    if (!openGroup(p))
        goto unprepared;
    VELMORA_NEXT_STEP();
close:
    if (depth == 0) {
        // Text after the closing bracket is not evaluated, but the
        // bracketing passes may still rewrite it: such texts (only
        // unbalanced ones have any) take the full path.
        if (bQuick && p + 1 != end)
            goto unprepared;
        return finish();
    }
    closeGroup();
    ++p;
    VELMORA_NEXT_STEP();
    // The operators' steps, each with its own copy of the operator's work.
#define VELMORA_OPERATOR_STEP(label, code)                                                                             \
    label:                                                                                                             \
    if (!onOperator(OperatorTag<code>{}))                                                                              \
        goto unprepared;                                                                                               \
    VELMORA_NEXT_STEP();
    VELMORA_OPERATOR_STEP(add, kScanAdd)
    VELMORA_OPERATOR_STEP(subtract, kScanSubtract)
    VELMORA_OPERATOR_STEP(multiply, kScanMultiply)
    VELMORA_OPERATOR_STEP(divide, kScanDivide)
    VELMORA_OPERATOR_STEP(power, kScanPower)
    VELMORA_OPERATOR_STEP(remainder, kScanRemainder)
#undef VELMORA_OPERATOR_STEP
#undef VELMORA_NEXT_STEP
unprepared:
    outcome = ScanOutcome::NeedsPreparation;
    return 0;
}

double clsMath::ApplyFunction(double v, std::string_view strName)
{
    FormulaSteps f;
    const double r = FunctionFormula(LookupFunction(strName), v, f);
    if (f.bFailed)
        return Fail();
    return r;
}

void clsMath::InsertPrecedenceBrackets(std::string& strText)
{
    BracketPass(strText, kMulDiv);
    BracketPass(strText, kPowMod);
}

double clsMath::Fail()
{
    bErrorStatus = true;
    return 0;
}

// Inlined into the scan: x and single digits, the most common operands, cost
// no call.
[[gnu::always_inline]] inline double clsMath::OperandValue(std::string_view strOperand, double dvalueX,
                                                           double dPrevious)
{
    const char first = strOperand.front();
    if (first == 'x')
        return dvalueX;
    if (strOperand.size() == 1 && static_cast<unsigned char>(first - '0') < 10)
        return first - '0';
    if (strOperand.size() >= 2 && first == 'p' && strOperand[1] == 'i')
        return MathConstants::kPi;
    double value = 0;
    if (ParseOperandNumber(strOperand, value))
        return value;
    bErrorStatus = true;
    return dPrevious;
}

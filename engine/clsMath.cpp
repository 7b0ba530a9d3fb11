#include "clsMath.h"

#include "OperandNumber.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr double kHalfPi = MathConstants::kPi / 2;

constexpr bool IsOperator(char c)
{
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^' || c == '%';
}

constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// a to the power b; false when the result has no finite real value.
bool Power(double a, double b, double& result)
{
    result = (b == 2.0) ? a * a : std::pow(a, b);
    return std::isfinite(result);
}

// Converts to the nearest 32-bit signed integer, halves to the even neighbour.
bool ToInt32(double v, std::int32_t& out)
{
    const double rounded = std::nearbyint(v);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        return false;
    out = static_cast<std::int32_t>(rounded);
    return true;
}

enum class Function {
    Unknown, Abs, Sin, Cos, Tan, Sec, Cosec, Cot, Arcsin, Arccos, Arctan, Exp, Ln, Log,
    Antilog, Sqrt, Sinh, Cosh, Tanh, Arcsinh, Arccosh, Arctanh,
};

Function LookupFunction(std::string_view strName)
{
    struct Entry {
        std::string_view name;
        Function fn;
    };
    static constexpr std::array<Entry, 21> table{{
        {"abs", Function::Abs}, {"sin", Function::Sin}, {"cos", Function::Cos},
        {"tan", Function::Tan}, {"sec", Function::Sec}, {"cosec", Function::Cosec},
        {"cot", Function::Cot}, {"arcsin", Function::Arcsin}, {"arccos", Function::Arccos},
        {"arctan", Function::Arctan}, {"exp", Function::Exp}, {"ln", Function::Ln},
        {"log", Function::Log}, {"antilog", Function::Antilog}, {"sqrt", Function::Sqrt},
        {"sinh", Function::Sinh}, {"cosh", Function::Cosh}, {"tanh", Function::Tanh},
        {"arcsinh", Function::Arcsinh}, {"arccosh", Function::Arccosh}, {"arctanh", Function::Arctanh},
    }};

    constexpr std::size_t kLongestName = 7;
    if (strName.size() < 2 || strName.size() > kLongestName)
        return Function::Unknown;
    char lower[kLongestName];
    for (std::size_t i = 0; i < strName.size(); ++i)
        lower[i] = AsciiLower(strName[i]);
    const std::string_view name(lower, strName.size());
    for (const Entry& entry : table)
        if (entry.name == name)
            return entry.fn;
    return Function::Unknown;
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

// One level of the group scan: the accumulator, the pending operator, the
// last value and the operand being read (the n characters after s).
struct ScanFrame {
    double acc = 0;
    double v = 0;
    std::size_t s = 0;
    std::size_t n = 0;
    char op = '+';
};

// A stack of scan frames that lives on the machine stack for ordinary
// nesting depths and moves to the heap only for deeply nested texts.
class FrameStack {
public:
    void Push(const ScanFrame& frame)
    {
        if (m_size < m_inline.size())
            m_inline[m_size] = frame;
        else
            m_overflow.push_back(frame);
        ++m_size;
    }
    ScanFrame Pop()
    {
        --m_size;
        if (m_size < m_inline.size())
            return m_inline[m_size];
        ScanFrame frame = m_overflow.back();
        m_overflow.pop_back();
        return frame;
    }
    bool Empty() const { return m_size == 0; }

private:
    std::array<ScanFrame, 48> m_inline{};
    std::vector<ScanFrame> m_overflow;
    std::size_t m_size = 0;
};

// One pass of precedence bracketing: every operator of `ops` whose left
// operand reaches back to a left stop (at its own bracket depth) gets its
// operands bracketed, so that it is evaluated before the stop's operator.
template <typename IsOp, typename IsStop>
void BracketPass(std::string& t, IsOp isOp, IsStop isStop)
{
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
    if (strExpression.size() > kMaxTextLength)
        return Fail();
    InsertPrecedenceBrackets(strExpression);
    RemoveSpaces(strExpression);
    if (strExpression.size() > kMaxTextLength)
        return Fail();
    return ScanGroup(strExpression, dvalueX);
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

double clsMath::ScanGroup(std::string_view t, double dvalueX)
{
    // The group scan is iterative: a bracket pushes the enclosing scan's
    // state and its closing bracket pops it, so any nesting depth is safe.
    FrameStack enclosing;
    ScanFrame cur; // cur.s = 0: the group's opening bracket

    // Hands the value of a finished group to the scan that contains it.
    auto closeGroup = [&](std::size_t closedAt) {
        const double groupValue = cur.acc;
        cur = enclosing.Pop();
        cur.v = groupValue;
        if (cur.n > 0)
            cur.v = ApplyFunction(cur.v, t.substr(cur.s + 1, cur.n));
        cur.acc = ApplyOperator(cur.acc, cur.v, cur.op);
        cur.s = closedAt;
        cur.n = 0;
    };

    for (std::size_t k = 1; k < t.size(); ++k) {
        const char ch = t[k];
        if (ch == '(') {
            enclosing.Push(cur);
            cur = ScanFrame{};
            cur.s = k;
        } else if (IsOperator(ch) || ch == ')') {
            if (cur.n > 0) {
                cur.v = OperandValue(t.substr(cur.s + 1, cur.n), dvalueX, cur.v);
                cur.acc = ApplyOperator(cur.acc, cur.v, cur.op);
            }
            cur.s = k;
            cur.n = 0;
            if (ch != ')') {
                cur.op = ch;
            } else if (enclosing.Empty()) {
                iEndPosition = static_cast<std::int16_t>(k);
                return cur.acc;
            } else {
                closeGroup(k);
            }
        } else {
            ++cur.n;
        }
    }

    // The text ended inside the group: the operand being read is dropped, and
    // every group still open is finished at the end of the text.
    while (!enclosing.Empty())
        closeGroup(t.size());
    iEndPosition = static_cast<std::int16_t>(std::min<std::size_t>(t.size(), kMaxTextLength));
    return cur.acc;
}

double clsMath::ApplyFunction(double v, std::string_view strName)
{
    FormulaSteps f;
    double r = 0;
    switch (LookupFunction(strName)) {
    case Function::Unknown:
        return 0;
    case Function::Abs: r = std::fabs(v); break;
    case Function::Sin: r = f.Check(std::sin(v)); break;
    case Function::Cos: r = f.Check(std::cos(v)); break;
    case Function::Tan: r = f.Check(std::tan(v)); break;
    case Function::Sec: r = f.Div(1, f.Check(std::cos(v))); break;
    case Function::Cosec: r = f.Div(1, f.Check(std::sin(v))); break;
    case Function::Cot: r = f.Div(1, f.Check(std::tan(v))); break;
    case Function::Arcsin:
        r = f.Check(std::atan(f.Div(v, f.Sqrt(f.Add(f.Mul(-v, v), 1)))));
        break;
    case Function::Arccos:
        r = f.Add(f.Check(std::atan(f.Div(-v, f.Sqrt(f.Add(f.Mul(-v, v), 1))))), 2 * std::atan(1.0));
        break;
    case Function::Arctan: r = f.Check(std::atan(v)); break;
    case Function::Exp: r = f.Exp(v); break;
    case Function::Ln: r = f.Ln(v); break;
    case Function::Log: r = f.Div(f.Ln(v), std::log(10.0)); break;
    case Function::Antilog:
        if (!Power(10, v, r))
            return Fail();
        break;
    case Function::Sqrt: r = f.Sqrt(v); break;
    case Function::Sinh: r = f.Div(f.Add(f.Exp(v), -f.Exp(-v)), 2); break;
    case Function::Cosh: r = f.Div(f.Add(f.Exp(v), f.Exp(-v)), 2); break;
    case Function::Tanh: {
        const double ep = f.Exp(v);
        const double en = f.Exp(-v);
        r = f.Div(f.Add(ep, -en), f.Add(ep, en));
        break;
    }
    case Function::Arcsinh: r = f.Ln(f.Add(f.Sqrt(f.Add(f.Mul(v, v), 1)), v)); break;
    case Function::Arccosh: r = f.Ln(f.Add(f.Sqrt(f.Add(f.Mul(v, v), -1)), v)); break;
    case Function::Arctanh: r = f.Div(f.Ln(f.Div(f.Add(1, v), f.Add(1, -v))), 2); break;
    }
    if (f.bFailed)
        return Fail();
    return r;
}

double clsMath::ApplyOperator(double a, double b, char chOperator)
{
    double r = 0;
    switch (chOperator) {
    case '+': r = a + b; break;
    case '-': r = a - b; break;
    case '*': r = a * b; break;
    case '/':
        if (b == 0)
            return Fail();
        r = a / b;
        break;
    case '^':
        if (!Power(a, b, r))
            return Fail();
        break;
    case '%': {
        std::int32_t ia = 0;
        std::int32_t ib = 0;
        if (!ToInt32(a, ia) || !ToInt32(b, ib) || ib == 0)
            return Fail();
        // -2147483648 % -1 overflows in hardware; its remainder is 0.
        r = (ib == -1) ? 0.0 : static_cast<double>(ia % ib);
        break;
    }
    default:
        return Fail();
    }
    if (!std::isfinite(r))
        return Fail();
    return r;
}

void clsMath::InsertPrecedenceBrackets(std::string& strText)
{
    BracketPass(
        strText, [](char c) { return c == '*' || c == '/'; },
        [](char c) { return c == '+' || c == '-'; });
    BracketPass(
        strText, [](char c) { return c == '^' || c == '%'; },
        [](char c) { return c == '+' || c == '-' || c == '*' || c == '/'; });
}

double clsMath::Fail()
{
    bErrorStatus = true;
    return 0;
}

double clsMath::OperandValue(std::string_view strOperand, double dvalueX, double dPrevious)
{
    if (strOperand.front() == 'x')
        return dvalueX;
    if (strOperand.size() >= 2 && strOperand[0] == 'p' && strOperand[1] == 'i')
        return MathConstants::kPi;
    double value = 0;
    if (ParseOperandNumber(strOperand, value))
        return value;
    bErrorStatus = true;
    return dPrevious;
}

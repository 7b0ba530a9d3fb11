#pragma once

// The evaluator's rules written out plainly, to check the program's fast
// evaluator against: the bracketing passes one insertion at a time, the
// spaces removed, then a recursive reading of each bracketed group with an
// accumulator and one pending operator. No fast path, no table of shortcuts:
// slow on purpose, and small enough to read against the rules.
//
//   Evaluate(text, x) -> the value, whether anything failed, and the
//   prepared text the evaluator hands back.
//
// A prepared text longer than 32,767 characters is beyond the evaluator's
// position counters and counts as failed; its value is not compared.

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ReferenceEvaluator {

struct Result {
    double dValue = 0;
    bool bError = false;
    std::string strPrepared;
};

inline constexpr double kPi = 3.14159265358979;
inline constexpr std::size_t kLongestText = 32767;

// Brackets each operator of ops whose left operand reaches back to one of
// stops at the same depth: "(" after that stop, ")" where the right operand
// ends (at a stop or an unmatched ")", or at the end of the text).
inline void BracketPass(std::string& t, std::string_view ops, std::string_view stops)
{
    auto isStop = [&](char c) { return stops.find(c) != std::string_view::npos; };
    for (std::size_t p = 0; p < t.size(); ++p) {
        if (ops.find(t[p]) == std::string_view::npos)
            continue;
        bool inserted = false;
        int d = 0;
        for (std::size_t q = p; q-- > 0;) {
            if (t[q] == ')') {
                ++d;
            } else if (t[q] == '(') {
                if (--d < 0)
                    break;
            } else if (d == 0 && isStop(t[q])) {
                t.insert(q + 1, 1, '(');
                ++p;
                inserted = true;
                break;
            }
        }
        if (!inserted)
            continue;
        int e = 0;
        std::size_t r = p + 1;
        for (; r < t.size(); ++r) {
            if (t[r] == '(') {
                ++e;
            } else if (t[r] == ')') {
                if (e-- == 0)
                    break;
            } else if (e == 0 && isStop(t[r])) {
                break;
            }
        }
        t.insert(r, 1, ')');
    }
}

// The text as the evaluator prepares it: "*" and "/" bracketed inside sums,
// "^" and "%" inside sums and products, then the spaces removed.
inline std::string Prepared(std::string t)
{
    BracketPass(t, "*/", "+-");
    BracketPass(t, "^%", "+-*/");
    std::erase(t, ' ');
    return t;
}

// One formula, step by step: a step that divides by zero, takes the root
// of a negative number or the logarithm of one that is not positive, or
// gives a value that is not finite fails the whole formula (value 0).
struct Steps {
    bool bFailed = false;
    double Check(double r)
    {
        bFailed = bFailed || !std::isfinite(r);
        return r;
    }
    double Div(double a, double b) { return b == 0 ? (bFailed = true, 0.0) : Check(a / b); }
    double Sqrt(double a) { return a < 0 ? (bFailed = true, 0.0) : Check(std::sqrt(a)); }
    double Ln(double a) { return a > 0 ? Check(std::log(a)) : (bFailed = true, 0.0); }
    double Exp(double a) { return Check(std::exp(a)); }
};

// The value of the named function (in any case) by its formula; nothing
// when a step of it fails. A name that is not a function is worth 0.
inline std::optional<double> FunctionValue(std::string name, double v)
{
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    Steps f;
    double r = 0;
    if (name == "abs")
        r = std::fabs(v);
    else if (name == "sin")
        r = f.Check(std::sin(v));
    else if (name == "cos")
        r = f.Check(std::cos(v));
    else if (name == "tan")
        r = f.Check(std::tan(v));
    else if (name == "sec")
        r = f.Div(1, f.Check(std::cos(v)));
    else if (name == "cosec")
        r = f.Div(1, f.Check(std::sin(v)));
    else if (name == "cot")
        r = f.Div(1, f.Check(std::tan(v)));
    else if (name == "arcsin")
        r = f.Check(std::atan(f.Div(v, f.Sqrt(f.Check(f.Check(-v * v) + 1)))));
    else if (name == "arccos")
        r = f.Check(f.Check(std::atan(f.Div(-v, f.Sqrt(f.Check(f.Check(-v * v) + 1))))) + 2 * std::atan(1.0));
    else if (name == "arctan")
        r = f.Check(std::atan(v));
    else if (name == "exp")
        r = f.Exp(v);
    else if (name == "ln")
        r = f.Ln(v);
    else if (name == "log")
        r = f.Div(f.Ln(v), std::log(10.0));
    else if (name == "antilog")
        r = f.Check(std::pow(10.0, v));
    else if (name == "sqrt")
        r = f.Sqrt(v);
    else if (name == "sinh")
        r = f.Div(f.Check(f.Exp(v) - f.Exp(-v)), 2);
    else if (name == "cosh")
        r = f.Div(f.Check(f.Exp(v) + f.Exp(-v)), 2);
    else if (name == "tanh")
        r = f.Div(f.Check(f.Exp(v) - f.Exp(-v)), f.Check(f.Exp(v) + f.Exp(-v)));
    else if (name == "arcsinh")
        r = f.Ln(f.Check(f.Sqrt(f.Check(f.Check(v * v) + 1)) + v));
    else if (name == "arccosh")
        r = f.Ln(f.Check(f.Sqrt(f.Check(f.Check(v * v) - 1)) + v));
    else if (name == "arctanh")
        r = f.Div(f.Ln(f.Div(f.Check(1 + v), f.Check(1 - v))), 2);
    else
        return 0.0; // an unknown name is worth 0 and is no failure
    if (f.bFailed)
        return std::nullopt;
    return r;
}

class Reader {
public:
    Reader(const std::string& text, double x) : m_text(text), m_x(x) {}

    bool m_bError = false;

    // The group whose "(" is at open (not looked at); end is where its ")"
    // is, or the end of the text.
    double Group(std::size_t open, std::size_t& end)
    {
        double acc = 0;
        char op = '+';
        double v = 0;
        std::size_t s = open; // the operand is the n characters after s
        std::size_t n = 0;
        for (std::size_t k = open + 1; k < m_text.size(); ++k) {
            const char ch = m_text[k];
            if (ch == '(') {
                std::size_t close = 0;
                v = Group(k, close);
                if (n > 0)
                    v = Function(v, m_text.substr(s + 1, n));
                acc = Operator(acc, v, op);
                s = close;
                n = 0;
                k = close;
            } else if (std::string_view("+-*/^%)").find(ch) != std::string_view::npos) {
                if (n > 0) {
                    v = Operand(m_text.substr(s + 1, n), v);
                    acc = Operator(acc, v, op);
                }
                if (ch != ')')
                    op = ch;
                s = k;
                n = 0;
                if (ch == ')') {
                    end = k;
                    return acc;
                }
            } else {
                ++n;
            }
        }
        end = m_text.size();
        return acc; // an operand still pending is dropped
    }

private:
    const std::string& m_text;
    double m_x;

    double Fail()
    {
        m_bError = true;
        return 0;
    }

    // "x...", "pi..." or a plain decimal number; a failed conversion keeps
    // the previous value.
    double Operand(const std::string& operand, double previous)
    {
        if (operand[0] == 'x')
            return m_x;
        if (operand.size() >= 2 && operand[0] == 'p' && operand[1] == 'i')
            return kPi;
        std::size_t i = 0, digits = 0;
        while (i < operand.size() && std::isdigit(static_cast<unsigned char>(operand[i])))
            ++i, ++digits;
        if (i < operand.size() && operand[i] == '.')
            ++i;
        while (i < operand.size() && std::isdigit(static_cast<unsigned char>(operand[i])))
            ++i, ++digits;
        if (digits > 0 && i + 1 < operand.size() && (operand[i] == 'e' || operand[i] == 'E')) {
            std::size_t j = i + 1;
            while (j < operand.size() && std::isdigit(static_cast<unsigned char>(operand[j])))
                ++j;
            if (j > i + 1)
                i = j;
        }
        double value = 0;
        if (digits == 0 || i != operand.size()
            || std::from_chars(operand.data(), operand.data() + operand.size(), value).ec != std::errc()
            || !std::isfinite(value)) {
            m_bError = true;
            return previous;
        }
        return value;
    }

    double Finite(double r) { return std::isfinite(r) ? r : Fail(); }

    double Operator(double a, double b, char op)
    {
        switch (op) {
        case '+': return Finite(a + b);
        case '-': return Finite(a - b);
        case '*': return Finite(a * b);
        case '/': return b == 0 ? Fail() : Finite(a / b);
        case '^': return Finite(std::pow(a, b));
        default: {
            const double ra = std::nearbyint(a), rb = std::nearbyint(b);
            const auto inRange = [](double r) { return r >= -2147483648.0 && r <= 2147483647.0; };
            if (!inRange(ra) || !inRange(rb) || rb == 0)
                return Fail();
            return static_cast<double>(static_cast<std::int64_t>(ra) % static_cast<std::int64_t>(rb));
        }
        }
    }

    double Function(double v, const std::string& name)
    {
        const std::optional<double> value = FunctionValue(name, v);
        return value ? *value : Fail();
    }
};

inline Result Evaluate(const std::string& text, double x)
{
    Result result;
    result.strPrepared = Prepared(text);
    if (result.strPrepared.size() > kLongestText) {
        result.bError = true;
        return result;
    }
    Reader reader(result.strPrepared, x);
    std::size_t end = 0;
    result.dValue = result.strPrepared.empty() ? 0 : reader.Group(0, end);
    result.bError = reader.m_bError;
    return result;
}

} // namespace ReferenceEvaluator

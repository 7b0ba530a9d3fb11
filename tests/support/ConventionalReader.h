#pragma once

// An expression read the way it is read in mathematics, by recursive descent
// over its grammar, to compare the program's evaluator with:
//
//   sum     = [sign] product { ("+" | "-") product }   the sign negates the first product
//   product = power { ("*" | "/") power }
//   power   = factor { ("^" | "%") factor }             left to right: 2^3^2 is 64
//   factor  = number | "x" | "pi" | name "(" sum ")" | "(" sum ")"
//
// Names of functions are matched in any case; spaces are skipped. "%" is the
// remainder of the two values rounded to the nearest 32-bit integers (halves
// to even), with the sign of the left one, and the functions are those of the
// evaluator's table, as ReferenceEvaluator.h writes them. A step without a
// finite real value makes the whole reading fail, as does a text outside the
// grammar.

#include "ReferenceEvaluator.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class ConventionalReader {
public:
    static std::optional<double> Value(std::string_view text, double x)
    {
        ConventionalReader reader(text, x);
        const double value = reader.Sum();
        reader.SkipSpaces();
        if (reader.m_failed || reader.m_at != text.size())
            return std::nullopt;
        return value;
    }

private:
    ConventionalReader(std::string_view text, double x)
        : m_text(text)
        , m_x(x)
    {
    }

    std::string_view m_text;
    double m_x;
    std::size_t m_at = 0;
    bool m_failed = false;

    void SkipSpaces()
    {
        while (m_at < m_text.size() && m_text[m_at] == ' ')
            ++m_at;
    }
    char Peek()
    {
        SkipSpaces();
        return m_at < m_text.size() ? m_text[m_at] : '\0';
    }
    double Fail()
    {
        m_failed = true;
        return 0;
    }
    double Finite(double v) { return std::isfinite(v) ? v : Fail(); }

    double Sum()
    {
        double sign = 1;
        if (Peek() == '+' || Peek() == '-')
            sign = m_text[m_at++] == '-' ? -1 : 1;
        double value = sign * Product();
        while (Peek() == '+' || Peek() == '-') {
            const char op = m_text[m_at++];
            const double right = Product();
            value = Finite(op == '+' ? value + right : value - right);
        }
        return value;
    }

    double Product()
    {
        double value = Power();
        while (Peek() == '*' || Peek() == '/') {
            const char op = m_text[m_at++];
            const double right = Power();
            value = op == '*' ? Finite(value * right) : right == 0 ? Fail() : Finite(value / right);
        }
        return value;
    }

    double Power()
    {
        double value = Factor();
        while (Peek() == '^' || Peek() == '%') {
            const char op = m_text[m_at++];
            const double right = Factor();
            value = op == '^' ? Finite(std::pow(value, right)) : Remainder(value, right);
        }
        return value;
    }

    double Remainder(double a, double b)
    {
        const double ra = std::nearbyint(a);
        const double rb = std::nearbyint(b);
        if (!(ra >= INT32_MIN && ra <= INT32_MAX && rb >= INT32_MIN && rb <= INT32_MAX) || rb == 0)
            return Fail();
        const auto ia = static_cast<std::int64_t>(ra);
        const auto ib = static_cast<std::int64_t>(rb);
        return static_cast<double>(ia % ib);
    }

    double Bracketed()
    {
        if (Peek() != '(')
            return Fail();
        ++m_at;
        const double value = Sum();
        if (Peek() != ')')
            return Fail();
        ++m_at;
        return value;
    }

    double Factor()
    {
        const char c = Peek();
        if (c == '(')
            return Bracketed();
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.')
            return Number();
        std::size_t end = m_at;
        while (end < m_text.size() && std::isalpha(static_cast<unsigned char>(m_text[end])))
            ++end;
        std::string name(m_text.substr(m_at, end - m_at));
        m_at = end;
        if (name == "x")
            return m_x;
        if (name == "pi")
            return 3.14159265358979;
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char ch) { return char(std::tolower(ch)); });
        const double v = Bracketed();
        return m_failed ? 0 : Function(name, v);
    }

    double Number()
    {
        std::size_t end = m_at;
        while (end < m_text.size() && (std::isdigit(static_cast<unsigned char>(m_text[end])) || m_text[end] == '.'))
            ++end;
        if (end < m_text.size() && (m_text[end] == 'e' || m_text[end] == 'E'))
            for (++end; end < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[end]));)
                ++end;
        double value = 0;
        const auto [last, ec] = std::from_chars(m_text.data() + m_at, m_text.data() + end, value);
        if (ec != std::errc() || last != m_text.data() + end)
            return Fail();
        m_at = end;
        return Finite(value);
    }

    // The functions are those of the evaluator's table, by their formulas.
    double Function(const std::string& name, double v)
    {
        const std::optional<double> value = ReferenceEvaluator::FunctionValue(name, v);
        return value ? *value : Fail();
    }
};

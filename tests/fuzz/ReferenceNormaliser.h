#pragma once

// The normaliser written the plain way: each pass rewrites the text by
// inserting one character at a time, and every unbracketed argument is found
// by scanning ahead from its function name. Its cost grows with the square of
// the text's length, so the program uses the linear OptimizeExpression
// instead; the tests and the fuzz target keep this one to check that the two
// give the same text for every input.
//
// The insertions are made in place. Building a new text for each one, as
// InsertAfter does, gives the same result but, under the sanitizers, costs
// seconds and gigabytes at the longest texts the program takes.

#include "ExpressionPrep.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace ReferenceNormaliser {

// Positions count from 1; the character past the end (or before the start)
// is none, returned as -1.
inline int At(const std::string& p, std::size_t k)
{
    if (k == 0 || k > p.size())
        return -1;
    return static_cast<unsigned char>(p[k - 1]);
}

inline bool IsDigit(int c)
{
    return c >= '0' && c <= '9';
}

inline bool IsOneOf(int c, std::string_view set)
{
    return c >= 0 && set.find(static_cast<char>(c)) != std::string_view::npos;
}

inline void RewriteVariable(std::string& p)
{
    for (std::size_t k = 2; k <= p.size() + 1;) {
        if (At(p, k) != 'x') {
            ++k;
            continue;
        }
        const bool inExp = At(p, k - 1) == 'e' && At(p, k + 1) == 'p';
        if (!IsOneOf(At(p, k + 1), "+-*/^%) ") && !inExp)
            p.insert(k, 1, '*');

        std::size_t m = k - 1;
        while (m >= 1 && (IsDigit(At(p, m)) || At(p, m) == '.'))
            --m;
        const bool hasCoefficient = m < k - 1;
        // A number with an exponent before the x: its mark, an optional sign,
        // its digits, and before the mark a run of digits and points.
        bool exponentDigits = hasCoefficient;
        for (std::size_t j = m + 1; j < k; ++j)
            exponentDigits = exponentDigits && IsDigit(At(p, j));
        if (exponentDigits) {
            std::size_t mark = IsOneOf(At(p, m), "+-") ? m - 1 : m;
            if (At(p, mark) == 'e' || At(p, mark) == 'E') {
                std::size_t start = mark - 1;
                while (start >= 1 && (IsDigit(At(p, start)) || At(p, start) == '.'))
                    --start;
                if (start < mark - 1)
                    m = start;
            }
        }
        const int after = At(p, k + 1);
        if (hasCoefficient && after != '^' && after != ')' && At(p, m) != '(') {
            p.insert(m, 1, '(');
            p.insert(k + 1, 1, ')');
            k += 3;
        } else {
            ++k;
        }
    }
}

inline void RewriteDigits(std::string& p)
{
    for (std::size_t k = 2; k <= p.size() + 1; ++k) {
        if (!IsDigit(At(p, k)))
            continue;
        if (At(p, k - 1) == ')') {
            p.insert(k - 1, 1, '*');
            ++k;
        }
        const bool exponent = (At(p, k + 1) == 'e' || At(p, k + 1) == 'E')
                           && (IsDigit(At(p, k + 2)) || (IsOneOf(At(p, k + 2), "+-") && IsDigit(At(p, k + 3))));
        if (!IsOneOf(At(p, k + 1), "0123456789.+-*/%^) ") && !exponent)
            p.insert(k, 1, '*');
    }
}

inline void RewriteFunctionNames(std::string& p)
{
    for (std::size_t k = 2; k <= p.size() + 1;) {
        const auto name = std::find_if(strFunctionNames.begin(), strFunctionNames.end(),
                                       [&](std::string_view n) { return p.compare(k - 1, n.size(), n) == 0; });
        if (name == strFunctionNames.end()) {
            ++k;
            continue;
        }

        std::size_t e = k + name->size() - 1;
        if (At(p, e + 1) != ' ')
            p.insert(e, 1, ' ');
        while (At(p, e + 1) == ' ')
            ++e;

        if (At(p, e + 1) != '(') {
            p.insert(e, 1, '(');
            int depth = 0;
            for (std::size_t j = e + 2;; ++j) {
                const int c = At(p, j);
                if (c == '(')
                    ++depth;
                else if (c == ')')
                    --depth;
                if (depth > 0)
                    continue;
                if (c == -1 || IsOneOf(c, "+-*/%^)")) {
                    p.insert(j - 1, 1, ')');
                    break;
                }
            }
        }
        k = e + 2;
    }
}

inline std::string OptimizeExpression(std::string_view strText)
{
    const std::string checked = CheckBrackets(strText);
    if (checked.empty())
        return std::string(strText);
    std::string p = "(" + checked + ")";
    RewriteVariable(p);
    RewriteDigits(p);
    RewriteFunctionNames(p);
    return p.substr(1, p.size() - 2);
}

} // namespace ReferenceNormaliser

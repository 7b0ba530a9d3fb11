#include "ExpressionPrep.h"

#include <algorithm>
#include <cstddef>

namespace {

// Positions below count from 1, as the rewriting rules are written; the
// character "past the end" (or before the start) is none, returned as -1.
int At(const std::string& p, std::size_t k)
{
    if (k == 0 || k > p.size())
        return -1;
    return static_cast<unsigned char>(p[k - 1]);
}

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

bool IsOneOf(int c, std::string_view set)
{
    return c >= 0 && set.find(static_cast<char>(c)) != std::string_view::npos;
}

// Writes "*" after an x that runs into a digit, a letter, a bracket or a
// point, and brackets a number directly before x inside a sum: "1+2x+3"
// becomes "1+(2x)+3", which the digit pass then turns into "1+(2*x)+3".
void RewriteVariable(std::string& p)
{
    for (std::size_t k = 2; k <= p.size() + 1;) {
        if (At(p, k) != 'x') {
            ++k;
            continue;
        }
        const bool inExp = At(p, k - 1) == 'e' && At(p, k + 1) == 'p';
        if (!IsOneOf(At(p, k + 1), "+-*/^%) ") && !inExp)
            p = InsertAfter(p, "*", k);

        std::size_t m = k - 1;
        while (m >= 1 && (IsDigit(At(p, m)) || At(p, m) == '.'))
            --m;
        const bool hasCoefficient = m < k - 1;
        const int after = At(p, k + 1);
        if (hasCoefficient && after != '^' && after != ')' && At(p, m) != '(') {
            p = InsertAfter(p, "(", m);
            p = InsertAfter(p, ")", k + 1); // the x is now at k + 1
            k += 3;                         // the character after the ")"
        } else {
            ++k;
        }
    }
}

// Writes "*" between a closing bracket and a digit, and after a digit that
// runs into a letter, an x or an opening bracket: ")2" -> ")*2", "2x" -> "2*x".
void RewriteDigits(std::string& p)
{
    for (std::size_t k = 2; k <= p.size() + 1; ++k) {
        if (!IsDigit(At(p, k)))
            continue;
        if (At(p, k - 1) == ')') {
            p = InsertAfter(p, "*", k - 1);
            ++k;
        }
        if (!IsOneOf(At(p, k + 1), "0123456789.+-*/%^) "))
            p = InsertAfter(p, "*", k);
    }
}

// Puts one space after every function name and brackets an argument written
// without brackets, up to the first operator or closing bracket outside
// nested brackets: "sin x/2" -> "sin (x)/2".
void RewriteFunctionNames(std::string& p)
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
            p = InsertAfter(p, " ", e);
        while (At(p, e + 1) == ' ')
            ++e;

        if (At(p, e + 1) != '(') {
            p = InsertAfter(p, "(", e);
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
                    p = InsertAfter(p, ")", j - 1);
                    break;
                }
            }
        }
        k = e + 2; // names inside the argument are handled too
    }
}

} // namespace

std::string CheckBrackets(std::string_view strText, bool* pbUnmatchedClose)
{
    if (pbUnmatchedClose)
        *pbUnmatchedClose = false;
    std::size_t open = 0;
    for (char c : strText) {
        if (c == '(') {
            ++open;
        } else if (c == ')') {
            if (open == 0) {
                if (pbUnmatchedClose)
                    *pbUnmatchedClose = true;
                return {};
            }
            --open;
        }
    }
    std::string result;
    result.reserve(strText.size() + open);
    result.append(strText);
    result.append(open, ')');
    return result;
}

std::string OptimizeExpression(std::string_view strText)
{
    const std::string checked = CheckBrackets(strText);
    if (checked.empty())
        return std::string(strText);

    // The outer pair gives every character of the user's text a neighbour on
    // both sides.
    std::string p;
    p.reserve(checked.size() * 2 + 2);
    p.push_back('(');
    p.append(checked);
    p.push_back(')');

    RewriteVariable(p);
    RewriteDigits(p);
    RewriteFunctionNames(p);
    return p.substr(1, p.size() - 2);
}

std::string InsertAfter(std::string_view strText, std::string_view strInsertion, std::size_t iPosition)
{
    const std::size_t n = std::min(iPosition, strText.size());
    std::string result;
    result.reserve(strText.size() + strInsertion.size());
    result.append(strText.substr(0, n));
    result.append(strInsertion);
    result.append(strText.substr(n));
    return result;
}

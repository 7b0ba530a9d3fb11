#include "ExpressionPrep.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

// Each pass reads the text once from left to right and writes the rewritten
// text into a new string, so the whole normaliser costs time in proportion
// to the length of the text. A rewriting rule looks at the character before
// the one being read (the last one written, which may be one a rule has just
// inserted) and at the one after it (still unread, so as the user typed it
// or as the previous pass left it). The text handed to each pass is enclosed
// in the outer pair of brackets, so both neighbours always exist.

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsOneOf(char c, std::string_view set)
{
    return set.find(c) != std::string_view::npos;
}

bool IsExponentMark(char c)
{
    return c == 'e' || c == 'E';
}

// Whether the text from `at` on starts an exponent: "e" or "E", an optional
// sign, and a digit. The text ends in ")", so reading stops there at the latest.
bool StartsExponent(std::string_view text, std::size_t at)
{
    if (!IsExponentMark(text[at]))
        return false;
    const std::size_t digit = IsOneOf(text[at + 1], "+-") ? at + 2 : at + 1;
    return IsDigit(text[digit]);
}

// How many characters of a number written with an exponent ("1e3", "2.5e-1")
// end the text before x, given that its last `digits` characters are the
// exponent's digits; 0 when no such number ends there.
std::size_t ExponentNumberBefore(std::string_view text, std::size_t digits)
{
    std::size_t at = text.size() - digits; // one past the exponent's mark or sign
    if (IsOneOf(text[at - 1], "+-"))
        --at;
    if (!IsExponentMark(text[at - 1]))
        return 0;
    --at;
    std::size_t mantissa = 0;
    while (IsDigit(text[at - 1 - mantissa]) || text[at - 1 - mantissa] == '.')
        ++mantissa;
    return mantissa == 0 ? 0 : text.size() - at + mantissa;
}

// Writes "*" after an x that runs into a digit, a letter, a bracket or a
// point, and brackets a number directly before x inside a sum: "1+2x+3"
// becomes "1+(2x)+3", which the digit pass then turns into "1+(2*x)+3".
std::string RewriteVariable(std::string_view in)
{
    std::string out;
    out.reserve(in.size() + in.size() / 2);
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c != 'x') {
            out.push_back(c);
            continue;
        }
        const char next = in[i + 1]; // an x is never last: the text ends in ")"
        const bool inExp = out.back() == 'e' && next == 'p';
        const bool star = !IsOneOf(next, "+-*/^%) ") && !inExp;

        // The number written just before the x, if any. Its digits are the
        // user's (no rule inserts a digit or a point), and they belong to no
        // other x, so looking back over them costs linear time in all.
        std::size_t number = 0;
        while (IsDigit(out[out.size() - 1 - number]) || out[out.size() - 1 - number] == '.')
            ++number;
        // A number with an exponent is one coefficient: "1+2e3x" -> "1+(2e3x)".
        const char mark = out[out.size() - 1 - number];
        if (number > 0 && (IsExponentMark(mark) || mark == '+' || mark == '-')
            && std::all_of(out.end() - std::ptrdiff_t(number), out.end(), IsDigit))
            number = std::max(number, ExponentNumberBefore(out, number));
        const char before = out[out.size() - 1 - number]; // the outer "(" at the latest
        const char after = star ? '*' : next;
        const bool bracket = number > 0 && after != '^' && after != ')' && before != '(';

        if (bracket)
            out.insert(out.size() - number, 1, '(');
        out.push_back('x');
        if (bracket)
            out.push_back(')');
        if (star)
            out.push_back('*');
    }
    return out;
}

// Writes "*" between a closing bracket and a digit, and after a digit that
// runs into a letter, an x or an opening bracket: ")2" -> ")*2", "2x" -> "2*x".
std::string RewriteDigits(std::string_view in)
{
    std::string out;
    out.reserve(in.size() + in.size() / 2);
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (!IsDigit(c)) {
            out.push_back(c);
            continue;
        }
        if (out.back() == ')')
            out.push_back('*');
        out.push_back(c);
        // A digit is never last either. A number's exponent is not a factor:
        // "1e3" and "2.5e-1" stay whole.
        if (!IsOneOf(in[i + 1], "0123456789.+-*/%^) ") && !StartsExponent(in, i + 1))
            out.push_back('*');
    }
    return out;
}

// For every position of a balanced text, where the argument of a function
// name would end if it started there: at the first operator or ")" found
// from there on, or, when a "(" comes first, at the ")" that closes it. The
// argument's closing bracket goes just before that character.
std::vector<std::size_t> ArgumentEnds(std::string_view text)
{
    std::vector<std::size_t> ends(text.size());
    std::vector<std::size_t> closing; // the ")" of the brackets still open, read backwards
    for (std::size_t i = text.size(); i-- > 0;) {
        const char c = text[i];
        if (c == ')') {
            closing.push_back(i);
            ends[i] = i;
        } else if (c == '(') {
            ends[i] = closing.back();
            closing.pop_back();
        } else if (IsOneOf(c, "+-*/%^")) {
            ends[i] = i;
        } else {
            ends[i] = ends[i + 1]; // the text ends in ")", so i + 1 exists
        }
    }
    return ends;
}

// Puts one space after every function name and brackets an argument written
// without brackets, up to the first operator or closing bracket outside
// nested brackets: "sin x/2" -> "sin (x)/2". Names inside an argument are
// handled too: "sin cos x" -> "sin (cos (x))".
//
// Where an argument ends is read from a table made once for the whole text.
// What the pass inserts never moves a later argument's end: a name's " " and
// "(" go behind every argument still to be scanned, and an argument that
// starts inside an earlier one ends at or before that one's end, so the ")"
// written there is only ever met where the later argument stops anyway.
// Arguments that end at the same character get their ")" written together;
// the pass just counts, for each character, the ")" owed before it.
std::string RewriteFunctionNames(std::string_view in)
{
    const std::vector<std::size_t> ends = ArgumentEnds(in);
    std::vector<std::size_t> owed(in.size(), 0);
    std::string out;
    out.reserve(in.size() * 2);

    std::size_t i = 0;
    auto copy = [&](std::size_t count) {
        for (const std::size_t stop = i + count; i < stop; ++i) {
            out.append(owed[i], ')');
            out.push_back(in[i]);
        }
    };

    while (i < in.size()) {
        const auto name = std::find_if(strFunctionNames.begin(), strFunctionNames.end(),
                                       [&](std::string_view n) { return in.substr(i).starts_with(n); });
        if (name == strFunctionNames.end()) {
            copy(1);
            continue;
        }
        copy(name->size());
        // A name is never last (the text ends in ")"), so in[i] exists.
        if (in[i] != ' ')
            out.push_back(' ');
        while (in[i] == ' ')
            copy(1);
        if (in[i] != '(') {
            out.push_back('(');
            ++owed[ends[i]];
        }
    }
    return out;
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
    p.reserve(checked.size() + 2);
    p.push_back('(');
    p.append(checked);
    p.push_back(')');

    p = RewriteFunctionNames(RewriteDigits(RewriteVariable(p)));
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

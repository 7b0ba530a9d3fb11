#pragma once

#include <array>
#include <string>
#include <string_view>

// Preparation of a typed expression before it enters the expression list:
// the bracket check and the normaliser that writes implicit products out and
// brackets function arguments. Plain functions without any user interface;
// the caller shows the messages.

// The function names of the evaluator, ordered so that every name is tried
// before any shorter name that is a prefix of it ("arcsinh" before "arcsin").
inline constexpr std::array<std::string_view, 21> strFunctionNames{
    "sinh", "cosh", "tanh", "arcsinh", "arccosh", "arctanh", "arcsin",
    "arccos", "arctan", "cosec", "sec", "cot", "sin", "cos",
    "tan", "abs", "exp", "antilog", "ln", "log", "sqrt",
};

// Appends the closing brackets that are missing. Returns an empty text when
// the input is empty or contains a ")" without a matching "("; in the second
// case *pbUnmatchedClose (when given) is set to true so that the caller can
// say "Invalid brackets encountered".
std::string CheckBrackets(std::string_view strText, bool* pbUnmatchedClose = nullptr);

// Rewrites common hand-written forms into the evaluator's stricter language:
// "2x" -> "2*x", "1+2x+3" -> "1+(2*x)+3", "sin x" -> "sin (x)".
// Text with an unmatched ")" (or empty text) is returned unchanged. Takes
// time in proportion to the length of the text.
std::string OptimizeExpression(std::string_view strText);

// The first iPosition characters of strText, then strInsertion, then the rest.
// Position 0 inserts at the front; a position past the end appends.
std::string InsertAfter(std::string_view strText, std::string_view strInsertion, std::size_t iPosition);

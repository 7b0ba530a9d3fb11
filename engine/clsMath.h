#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Longest expression text the program handles; positions within a text are
// 16-bit. The evaluator flags longer texts as errors.
inline constexpr std::size_t kMaxExpressionLength = 32767;
// Longest list entry: every caller of the evaluator adds a pair of brackets.
inline constexpr std::size_t kMaxEntryLength = kMaxExpressionLength - 2;

// Evaluates expression texts such as "(2*x^2+(3*x)-5)" at a value of x.
//
// The text must begin with an opening bracket; evaluation runs up to the
// bracket that closes it. Every failure (an operand that is not a number, a
// division by zero, a function outside its domain, a result that is not a
// finite double) sets bErrorStatus and evaluation goes on; nothing throws.
//
// Evaluate prepares the text in place (precedence brackets inserted, spaces
// removed) and hands the prepared form back through its argument. Preparing a
// prepared text changes nothing, so a caller that passes the same variable for
// every point of a curve pays only for the scan after the first call.
//
// An instance keeps nothing from one evaluation to the next.
class clsMath {
public:
    bool bErrorStatus = false;

    double Evaluate(std::string& strExpression, double dvalueX);
    double GetR(double X, double Y);
    double GetTheta(double X, double Y);

private:
    void RemoveSpaces(std::string& strText);
    double ScanGroup(const std::string& strText, double dvalueX);
    double ApplyFunction(double v, std::string_view strName);
    void InsertPrecedenceBrackets(std::string& strText);

    double Fail();
};

// Whether the evaluator can take a list entry: the entry in its pair of
// brackets, prepared for evaluation (precedence brackets inserted, spaces
// removed), stays within kMaxExpressionLength characters. An entry that does
// not would fail at every point of its curve.
bool FitsEvaluator(std::string_view strEntry);

namespace MathConstants {
// Pi to fifteen significant digits, not the nearest double: the value of
// "pi" in expressions, the angles of GetTheta, the polar sweep and the polar
// grid's spokes all use it, so their results agree with one another.
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kTwoPi = 6.28318530717958;
} // namespace MathConstants

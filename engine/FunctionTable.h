#pragma once

// The evaluator's functions in one table: their names, read in any case,
// and their values.

#include <cmath>
#include <string_view>

namespace evaluation {

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


// A function of the evaluator: its value by its formula, every step checked,
// and, for the functions whose formula is one library call whose every
// failure shows as a value that is not finite, that library function, which
// the quick scan calls directly.
struct FunctionEntry {
    std::string_view name;
    double (*formula)(double v, FormulaSteps& f);
    double (*library)(double v); // null for the others
};

// The function of that name, whatever the case of its letters; null for a
// name that is not one.
const FunctionEntry* LookupFunction(std::string_view strName);

// The value of the named function by its formula: 0 for a name that is not
// a function, and 0 with bError set when a step of the formula fails.
double FunctionValue(double v, std::string_view strName, bool& bError);

// The value of the named function for the quick scan, which notes only
// whether some value was not finite: not finite when the formula failed; 0
// for an unknown name.
double QuickFunctionValue(double v, std::string_view strName);

} // namespace evaluation

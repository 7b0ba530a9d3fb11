#include "clsMath.h"

#include "FunctionTable.h"
#include "GroupScan.h"
#include "PrecedenceBrackets.h"
#include "ScanCharacters.h"

#include <cmath>
#include <string>

using namespace evaluation;

namespace {

constexpr double kHalfPi = MathConstants::kPi / 2;

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
    const double dResult = GroupScan<true>::Run(strExpression, dvalueX, bErrorStatus, outcome);
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
    return GroupScan<false>::Run(strText, dvalueX, bErrorStatus, outcome);
}

double clsMath::ApplyFunction(double v, std::string_view strName)
{
    return FunctionValue(v, strName, bErrorStatus);
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

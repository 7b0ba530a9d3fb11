#include "EntryPreparation.h"

#include "EntryCheck.h"
#include "ExpressionPrep.h"
#include "clsMath.h"

#include <string>

namespace {

std::string ToEngineText(const QString& strText)
{
    return strText.toStdString();
}

PreparedEntry Refused(const QString& strMessage)
{
    return {QString(), strMessage};
}

QString TooLong()
{
    return QStringLiteral("The expression is too long. An expression can have at most %1 characters.")
        .arg(static_cast<qulonglong>(kMaxEntryLength));
}

std::optional<QString> LengthRefusal(const std::string& strText)
{
    if (strText.size() > kMaxEntryLength)
        return TooLong();
    // The evaluator brackets every product and power, so an entry within the
    // length limit can still grow past what the evaluator reads.
    if (!FitsEvaluator(strText))
        return QStringLiteral("The expression is too long to evaluate. Written out for evaluation it would have "
                              "more than %1 characters.")
            .arg(static_cast<qulonglong>(kMaxExpressionLength));
    return std::nullopt;
}

QString InvalidBrackets()
{
    return QStringLiteral("Invalid brackets encountered");
}

QString Quoted(const std::string& strText)
{
    return QLatin1Char('"') + QString::fromStdString(strText) + QLatin1Char('"');
}

// What is wrong, naming the characters at fault, and what to write instead.
QString MisreadingMessage(const EntryFinding& finding)
{
    const QString strFound = Quoted(finding.strFound);
    const QString strInstead = Quoted(finding.strInstead);
    const bool bInstead = !finding.strInstead.empty();
    switch (finding.problem) {
    case EntryProblem::None: break;
    case EntryProblem::EmptyExpression: return QStringLiteral("The expression is empty. Type an expression in x.");
    case EntryProblem::UnbalancedBrackets: return InvalidBrackets();
    case EntryProblem::EmptyGroup:
        return QStringLiteral("%1 holds nothing. Write a value between the brackets.").arg(strFound);
    case EntryProblem::UnknownName:
        return QStringLiteral("%1 is not x, pi or the name of a function. ").arg(strFound)
             + (bInstead ? QStringLiteral("Write %1 instead.").arg(strInstead)
                         : QStringLiteral("The functions are abs, sin, cos, tan, sec, cosec, cot, arcsin, arccos, "
                                          "arctan, exp, ln, log, antilog, sqrt, sinh, cosh, tanh, arcsinh, arccosh "
                                          "and arctanh."));
    case EntryProblem::FunctionWithoutArgument:
        return QStringLiteral("%1 has no argument. Write %2 with the argument in brackets.").arg(strFound, strInstead);
    case EntryProblem::MalformedOperand:
        return QStringLiteral("%1 is not a number, x or pi. ").arg(strFound)
             + (bInstead ? QStringLiteral("Write %1 for a product.").arg(strInstead)
                         : QStringLiteral("Write numbers with at most one point, such as 3.5 or 1e3."));
    case EntryProblem::SignedExponent:
        return QStringLiteral("In %1 the sign after the e would be read as an operator. Write %2 for this number.")
            .arg(strFound, strInstead);
    case EntryProblem::NumberOutOfRange:
        return QStringLiteral("%1 is beyond the numbers that can be used (about 2.2e-308 to 1.8e308).").arg(strFound);
    case EntryProblem::UnknownCharacter:
        return QStringLiteral("%1 cannot be part of an expression. ").arg(strFound)
             + (bInstead ? QStringLiteral("Write %1 instead.").arg(strInstead)
                         : QStringLiteral("Use numbers, x, pi, function names, brackets and + - * / ^ %."));
    case EntryProblem::OperatorWithoutLeft:
        return QStringLiteral("%1 has nothing before it. Write a value before it, or remove it.").arg(strFound);
    case EntryProblem::OperatorWithoutRight:
        return QStringLiteral("%1 has nothing after it. Finish the expression, or remove the %1.").arg(strFound);
    case EntryProblem::DoubledOperator:
        return QStringLiteral("%1 puts two operators side by side. Remove one of them.").arg(strFound);
    case EntryProblem::SignAfterOperator:
        return QStringLiteral("%1 puts a sign right after an operator, which would take the operator's place. ")
                   .arg(strFound)
             + (bInstead ? QStringLiteral("Write %1 for a sign after an operator.").arg(strInstead)
                         : QStringLiteral("Put the sign and what follows it in brackets, as in \"x*(-1)\"."));
    case EntryProblem::MissingOperator: {
        // Usually the two characters either side of the missing operator.
        const QString strPlace = QString::fromStdString(finding.strFound);
        const QString strWhere = strPlace.size() == 2
                                   ? QStringLiteral("between \"%1\" and \"%2\"").arg(strPlace[0], strPlace[1])
                                   : QStringLiteral("in %1").arg(strFound);
        return QStringLiteral("An operator is missing %1. ").arg(strWhere)
             + (bInstead ? QStringLiteral("Write %1 for a product.").arg(strInstead)
                         : QStringLiteral("Write \"*\" between factors."));
    }
    }
    return {};
}

// The number of UTF-16 code units the first iBytes bytes of a UTF-8 text make.
qsizetype Utf16Length(const std::string& strText, std::size_t iBytes)
{
    return QString::fromUtf8(strText.data(), qsizetype(iBytes)).size();
}

} // namespace

std::optional<QString> ListEntryRefusal(const QString& strText)
{
    const std::string strEntry = ToEngineText(strText);
    if (std::optional<QString> strRefusal = LengthRefusal(strEntry))
        return strRefusal;
    const EntryFinding finding = FindMisreading(strEntry);
    if (finding.problem != EntryProblem::None)
        return MisreadingMessage(finding);
    return std::nullopt;
}

std::optional<QString> ListFullRefusal(int iCount)
{
    constexpr int kMaxListEntries = 32767;
    if (iCount < kMaxListEntries)
        return std::nullopt;
    return QStringLiteral("The list of expressions is full. It can hold at most %1 expressions.").arg(kMaxListEntries);
}

bool IsBlankEntry(const QString& strText)
{
    return strText.trimmed().isEmpty();
}

PreparedEntry PrepareEntry(const QString& strTyped, bool bOptimize)
{
    if (IsBlankEntry(strTyped))
        return {};
    const std::string strText = ToEngineText(strTyped);
    bool bUnmatchedClose = false;
    if (CheckBrackets(strText, &bUnmatchedClose).empty())
        return bUnmatchedClose ? Refused(InvalidBrackets()) : PreparedEntry{};
    // Refused before normalising, which would only make the text longer.
    if (strText.size() > kMaxEntryLength)
        return Refused(TooLong());
    const std::string strBalanced = CheckBrackets(bOptimize ? OptimizeExpression(strText) : strText, &bUnmatchedClose);
    // Normalising keeps the brackets balanced; a text it left unbalanced is
    // refused rather than entered empty.
    if (strBalanced.empty())
        return Refused(InvalidBrackets());
    if (const std::optional<QString> strRefusal = LengthRefusal(strBalanced))
        return Refused(*strRefusal);
    const EntryFinding finding = FindMisreading(strBalanced);
    if (finding.problem == EntryProblem::None)
        return {QString::fromStdString(strBalanced), QString()};
    PreparedEntry refused = Refused(MisreadingMessage(finding));
    const auto [iStart, iLength] = TypedSpan(strText, strBalanced, finding.iStart, finding.iLength);
    refused.iProblemStart = Utf16Length(strText, iStart);
    refused.iProblemLength = Utf16Length(strText, iStart + iLength) - refused.iProblemStart;
    return refused;
}

#include "EntryPreparation.h"

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

} // namespace

std::optional<QString> EntryLengthRefusal(const QString& strText)
{
    return LengthRefusal(ToEngineText(strText));
}

std::optional<QString> ListFullRefusal(int iCount)
{
    constexpr int kMaxListEntries = 32767;
    if (iCount < kMaxListEntries)
        return std::nullopt;
    return QStringLiteral("The list of expressions is full. It can hold at most %1 expressions.").arg(kMaxListEntries);
}

PreparedEntry PrepareEntry(const QString& strTyped, bool bOptimize)
{
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
    return {QString::fromStdString(strBalanced), QString()};
}

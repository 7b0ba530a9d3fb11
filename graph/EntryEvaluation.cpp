#include "EntryEvaluation.h"

#include "NumberFormat.h"
#include "clsMath.h"

#include <QCoreApplication>

std::string EvaluatorText(const QString& strEntry)
{
    std::string strText = strEntry.toStdString();
    strText.insert(strText.begin(), '(');
    strText.push_back(')');
    return strText;
}

QString ValueLine(clsMath& objMath, const QString& strEntry, double dX)
{
    std::string strExpression = EvaluatorText(strEntry);
    const double dResult = objMath.Evaluate(strExpression, dX);
    const QString strValue = objMath.bErrorStatus ? QStringLiteral("Error") : PrintedText(dResult);
    return strEntry + QLatin1Char('=') + strValue;
}

QString ValueNotANumber()
{
    return QCoreApplication::translate("frmValue", "Enter a number as the value for evaluation.");
}

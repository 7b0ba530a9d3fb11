#include "ValueTable.h"

#include "EntryEvaluation.h"
#include "NumberFormat.h"
#include "NumberInput.h"
#include "clsMath.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cmath>

namespace {

QString Translated(const char* pszText)
{
    return QCoreApplication::translate("frmTable", pszText);
}

// The decimal places a number is written with: "0.25" has 2, "1e-3" 3,
// "2.5E-2" 3, "10" none.
int WrittenPlaces(const QString& strText, const QLocale& locale)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[-+]?\\d*(?:[.,](\\d*))?(?:[eE]([-+]?\\d+))?\\s*$"));
    QString strPlain = strText;
    strPlain.replace(locale.decimalPoint(), QStringLiteral("."));
    const QRegularExpressionMatch match = number.match(strPlain);
    if (!match.hasMatch())
        return 0;
    const int iExponent = match.captured(2).isEmpty() ? 0 : std::clamp(match.captured(2).toInt(), -400, 400);
    return std::max(0, static_cast<int>(match.captured(1).size()) - iExponent);
}

// Places beyond which the rounding to decimals is left out: the whole
// numbers it works with would no longer be exact.
constexpr int kMostPlaces = 15;
constexpr double kExactWhole = 9007199254740992.0; // 2^53

} // namespace

std::variant<TableRange, QString> ReadTableRange(const QString& strFrom, const QString& strTo, const QString& strStep,
                                                 const QLocale& locale)
{
    const std::optional<double> from = ReadNumber(strFrom, locale);
    const std::optional<double> to = ReadNumber(strTo, locale);
    const std::optional<double> step = ReadNumber(strStep, locale);
    if (!from || !to || !step)
        return Translated("From, To and Step must be numbers.");
    if (!(*step > 0))
        return Translated("The step must be greater than 0.");
    if (*from > *to)
        return Translated("From must not be greater than To.");
    TableRange range{*from, *to, *step, std::max(WrittenPlaces(strFrom, locale), WrittenPlaces(strStep, locale)), 0};
    // A range a whole number of steps long, give or take the rounding of
    // the numbers, ends on To.
    const double dSteps = (*to - *from) / *step;
    const double dWhole = std::nearbyint(dSteps);
    const double dCount = std::fabs(dSteps - dWhole) <= 1e-9 * std::max(1.0, dWhole) ? dWhole : std::floor(dSteps);
    if (!std::isfinite(dCount) || dCount + 1 > static_cast<double>(kMaxTableRows))
        return Translated("The table would have more than 100,001 rows; take a larger step or a smaller range.");
    range.iRows = static_cast<std::int64_t>(dCount) + 1;
    return range;
}

double RowX(const TableRange& range, std::int64_t iRow)
{
    const double dRow = static_cast<double>(iRow);
    double dX = range.dFrom + dRow * range.dStep;
    if (range.iPlaces <= kMostPlaces) {
        // In whole numbers of the last place, which add up exactly, then one
        // correctly rounded division.
        const double dScale = std::pow(10.0, range.iPlaces);
        const double dFrom = std::nearbyint(range.dFrom * dScale);
        const double dSteps = dRow * std::nearbyint(range.dStep * dScale);
        if (std::fabs(dFrom) < kExactWhole && std::fabs(dSteps) < kExactWhole
            && std::fabs(dFrom + dSteps) < kExactWhole)
            dX = (dFrom + dSteps) / dScale;
    }
    // The last row of a range a whole number of steps long is To itself.
    if (iRow + 1 == range.iRows && std::fabs(dX - range.dTo) <= range.dStep * 1e-9)
        dX = range.dTo;
    return dX;
}

struct TableColumns::Column {
    clsMath math;
    std::string strText;
};

TableColumns::TableColumns(const QStringList& entries)
    : m_entries(entries)
{
    for (const QString& strEntry : entries) {
        auto column = std::make_unique<Column>();
        column->strText = EvaluatorText(strEntry);
        m_columns.push_back(std::move(column));
    }
}

TableColumns::~TableColumns() = default;

std::optional<double> TableColumns::Value(int iColumn, double dX) const
{
    Column& column = *m_columns[std::size_t(iColumn)];
    column.math.bErrorStatus = false;
    const double dValue = column.math.Evaluate(column.strText, dX);
    if (column.math.bErrorStatus)
        return std::nullopt;
    return dValue;
}

QString ShownCell(const std::optional<double>& value, const QLocale& locale)
{
    return value ? PrintedText(*value, locale).trimmed() : QStringLiteral("Error");
}

QString FullCell(const std::optional<double>& value, QChar decimalPoint)
{
    if (!value)
        return QStringLiteral("Error");
    QString strText = ShortestText(*value);
    if (decimalPoint != QLatin1Char('.'))
        strText.replace(QLatin1Char('.'), decimalPoint);
    return strText;
}

QString CsvField(const QString& strField)
{
    static const QRegularExpression special(QStringLiteral("[,\"\\r\\n]"));
    if (!strField.contains(special))
        return strField;
    return QLatin1Char('"') + QString(strField).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QString TableText(const TableRange& range, const TableColumns& columns, bool bCsv)
{
    const QChar separator = bCsv ? QLatin1Char(',') : QLatin1Char('\t');
    const QString strLineEnd = bCsv ? QStringLiteral("\r\n") : QStringLiteral("\n");
    const auto field = [bCsv](const QString& strField) { return bCsv ? CsvField(strField) : strField; };
    QString strText = field(QStringLiteral("x"));
    for (int c = 0; c < columns.Count(); ++c)
        strText += separator + field(columns.Header(c));
    strText += strLineEnd;
    for (std::int64_t i = 0; i < range.iRows; ++i) {
        const double dX = RowX(range, i);
        strText += FullCell(dX);
        for (int c = 0; c < columns.Count(); ++c)
            strText += separator + FullCell(columns.Value(c, dX));
        strText += strLineEnd;
    }
    return strText;
}

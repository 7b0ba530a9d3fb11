#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

class clsMath;

// A table of values: the expressions evaluated at x from a start to an end
// in equal steps.
//
// Row i is at From + i x Step, rounded to the decimal places that From and
// Step are written with, so that decimal steps give the values a person
// expects (0, 0.1, 0.2, 0.3, not 0.30000000000000004); the expressions are
// evaluated at exactly that value. The last row is To when the range is a
// whole number of steps.

// The most rows a table has.
inline constexpr std::int64_t kMaxTableRows = 100'001;

struct TableRange {
    double dFrom = 0;
    double dTo = 0;
    double dStep = 1;
    int iPlaces = 0; // the decimal places of From and Step, the more of the two
    std::int64_t iRows = 0;
};

// The range the three texts give, read as the preferences dialog reads
// numbers, or the message that refuses them.
std::variant<TableRange, QString> ReadTableRange(const QString& strFrom, const QString& strTo, const QString& strStep,
                                                 const QLocale& locale = QLocale());

// The x of a row.
double RowX(const TableRange& range, std::int64_t iRow);

// The expressions of a table, each with an evaluator of its own.
class TableColumns {
public:
    explicit TableColumns(const QStringList& entries);
    ~TableColumns();

    int Count() const { return static_cast<int>(m_entries.size()); }
    const QString& Header(int iColumn) const { return m_entries[iColumn]; }
    // The value of expression iColumn at x; nothing where it has none.
    std::optional<double> Value(int iColumn, double dX) const;

private:
    QStringList m_entries;
    struct Column;
    std::vector<std::unique_ptr<Column>> m_columns;
};

// The forms of a cell.
// As the comparison window shows a value: rounded to six places, the
// locale's separator; "Error" where there is none.
QString ShownCell(const std::optional<double>& value, const QLocale& locale = QLocale());
// In full: the shortest text that reads back as the same double, with the
// given decimal separator; "Error" where there is none.
QString FullCell(const std::optional<double>& value, QChar decimalPoint = QLatin1Char('.'));

// A field of CSV: quoted, with its quotes doubled, when it holds a comma, a
// quote or a line break.
QString CsvField(const QString& strField);

// The whole table as text: a header line ("x" and the expressions), then a
// line per row, the fields in full with "." as the point, joined by the
// separator; lines end with strLineEnd. Tab-separated for scripts, CSV for
// files.
QString TableText(const TableRange& range, const TableColumns& columns, bool bCsv);

#pragma once

#include "ValueTable.h"

#include <QAbstractTableModel>

#include <memory>

// A table of values as a view shows it: the column "x" and one column per
// expression, headed by the expression as listed; each cell is computed
// when it is shown, so that a table of 100,001 rows opens at once.
class ValueTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ValueTableModel(const QStringList& entries, QObject* pParent = nullptr);

    // Shows the rows of a new range.
    void SetRange(const TableRange& range);
    const TableRange& Range() const { return m_range; }
    const TableColumns& Columns() const { return *m_pColumns; }

    // A cell's value in full (column 0: x); nothing where the expression
    // has none.
    std::optional<double> Value(int iRow, int iColumn) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int iRole = Qt::DisplayRole) const override;
    QVariant headerData(int iSection, Qt::Orientation orientation, int iRole = Qt::DisplayRole) const override;

private:
    std::unique_ptr<TableColumns> m_pColumns;
    TableRange m_range;
};

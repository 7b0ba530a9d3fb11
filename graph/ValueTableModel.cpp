#include "ValueTableModel.h"

ValueTableModel::ValueTableModel(const QStringList& entries, QObject* pParent)
    : QAbstractTableModel(pParent)
    , m_pColumns(std::make_unique<TableColumns>(entries))
{
}

void ValueTableModel::SetRange(const TableRange& range)
{
    beginResetModel();
    m_range = range;
    endResetModel();
}

std::optional<double> ValueTableModel::Value(int iRow, int iColumn) const
{
    const double dX = RowX(m_range, iRow);
    return iColumn == 0 ? std::optional<double>(dX) : m_pColumns->Value(iColumn - 1, dX);
}

int ValueTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_range.iRows);
}

int ValueTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_pColumns->Count() + 1;
}

QVariant ValueTableModel::data(const QModelIndex& index, int iRole) const
{
    if (!index.isValid())
        return {};
    if (iRole == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (iRole != Qt::DisplayRole)
        return {};
    return ShownCell(Value(index.row(), index.column()));
}

QVariant ValueTableModel::headerData(int iSection, Qt::Orientation orientation, int iRole) const
{
    if (orientation != Qt::Horizontal || iRole != Qt::DisplayRole)
        return QAbstractTableModel::headerData(iSection, orientation, iRole);
    return iSection == 0 ? QStringLiteral("x") : m_pColumns->Header(iSection - 1);
}

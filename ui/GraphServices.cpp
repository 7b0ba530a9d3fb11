#include "GraphServices.h"

#include <QListWidget>

GraphServices::GraphServices(const QListWidget& lstExpression)
    : m_lstExpression(lstExpression)
{
}

QStringList GraphServices::Expressions() const
{
    QStringList entries;
    entries.reserve(m_lstExpression.count());
    for (int i = 0; i < m_lstExpression.count(); ++i)
        entries.append(m_lstExpression.item(i)->text());
    return entries;
}

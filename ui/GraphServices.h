#pragma once

#include "GraphHost.h"

class QListWidget;

// What the main window offers the graph window: its expression list.
class GraphServices : public GraphHost {
public:
    explicit GraphServices(const QListWidget& lstExpression);
    QStringList Expressions() const override;

private:
    const QListWidget& m_lstExpression;
};

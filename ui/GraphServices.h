#pragma once

#include "GraphHost.h"

class QListWidget;

// What the main window offers the graph window: its expression list and
// the program's other windows.
class GraphServices : public GraphHost {
public:
    explicit GraphServices(const QListWidget& lstExpression);
    QStringList Expressions() const override;
    void ShowPreferences(QWidget* pOpener, const std::function<void()>& afterClose) override;
    void ShowComparison(QWidget* pOpener) override;
    void ShowAbout(QWidget* pOpener) override;

private:
    const QListWidget& m_lstExpression;
};

#include "GraphServices.h"

#include "ModalForm.h"
#include "frmAbout.h"
#include "frmPreferences.h"
#include "frmValue.h"

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

void GraphServices::ShowPreferences(QWidget* pOpener, const std::function<void()>& afterClose)
{
    ShowModal(new frmPreferences(pOpener), pOpener, afterClose);
}

void GraphServices::ShowComparison(QWidget* pOpener)
{
    ShowModal(new frmValue(m_lstExpression, pOpener), pOpener);
}

void GraphServices::ShowAbout(QWidget* pOpener)
{
    frmAbout::ShowModalFrom(pOpener);
}

#include "PushButton.h"

#include <QKeyEvent>

PushButton::PushButton(const QString& strCaption, QWidget* pParent)
    : QPushButton(strCaption, pParent)
{
    setAutoDefault(false);
}

PushButton::PushButton(QWidget* pParent)
    : PushButton(QString(), pParent)
{
}

void PushButton::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->key() != Qt::Key_Return && pEvent->key() != Qt::Key_Enter) {
        QPushButton::keyPressEvent(pEvent);
        return;
    }
    pEvent->accept();
    // A held key presses the button once.
    if (!pEvent->isAutoRepeat())
        click();
}

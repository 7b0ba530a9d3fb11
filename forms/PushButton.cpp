#include "PushButton.h"

#include <QKeyEvent>

namespace {

bool IsEnter(const QKeyEvent* pEvent)
{
    return pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter;
}

} // namespace

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
    if (!IsEnter(pEvent)) {
        QPushButton::keyPressEvent(pEvent);
        return;
    }
    pEvent->accept();
    // Repeats of a held key come as further presses, marked or not.
    if (pEvent->isAutoRepeat() || m_bEnterDown)
        return;
    m_bEnterDown = true;
    click();
}

void PushButton::keyReleaseEvent(QKeyEvent* pEvent)
{
    if (!IsEnter(pEvent)) {
        QPushButton::keyReleaseEvent(pEvent);
        return;
    }
    pEvent->accept();
    if (!pEvent->isAutoRepeat())
        m_bEnterDown = false;
}

void PushButton::focusInEvent(QFocusEvent* pEvent)
{
    // A release that reached another window, such as the one the click
    // opened, left the key down here; coming back, it is up.
    m_bEnterDown = false;
    QPushButton::focusInEvent(pEvent);
}

#include "ViewGestures.h"

#include "PictureBox.h"

#include <QLineF>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace {

// A wheel notch turns the wheel 15 degrees, in eighths of a degree.
constexpr int kNotchAngle = 120;

} // namespace

ViewGestures::ViewGestures(PictureBox& picture)
    : QObject(&picture)
    , m_picture(picture)
{
    m_picture.setCursor(Qt::OpenHandCursor);
    m_picture.installEventFilter(this);
}

bool ViewGestures::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    switch (pEvent->type()) {
    case QEvent::MouseButtonPress: Press(static_cast<QMouseEvent*>(pEvent)); break;
    case QEvent::MouseMove: Move(static_cast<QMouseEvent*>(pEvent)); break;
    case QEvent::MouseButtonRelease: Release(static_cast<QMouseEvent*>(pEvent)); break;
    case QEvent::Wheel: Wheel(static_cast<QWheelEvent*>(pEvent)); return true;
    default: break;
    }
    return QObject::eventFilter(pWatched, pEvent);
}

QPointF ViewGestures::Pixel(const QMouseEvent* pEvent) const
{
    return pEvent->position() - m_picture.contentsRect().topLeft();
}

void ViewGestures::Press(const QMouseEvent* pEvent)
{
    if (m_drag)
        return;
    const bool bLeft = pEvent->button() == Qt::LeftButton;
    if (!bLeft && pEvent->button() != Qt::RightButton)
        return;
    const bool bBox = !bLeft || pEvent->modifiers().testFlag(Qt::ShiftModifier);
    m_drag = Drag{pEvent->button(), bBox, Pixel(pEvent), Pixel(pEvent)};
}

void ViewGestures::Move(const QMouseEvent* pEvent)
{
    if (!m_drag)
        return;
    m_drag->end = Pixel(pEvent);
    if (!m_drag->bMoved) {
        if (QLineF(m_drag->start, m_drag->end).length() <= kClickSlack)
            return;
        m_drag->bMoved = true;
        m_picture.setCursor(m_drag->bBox ? Qt::CrossCursor : Qt::ClosedHandCursor);
        if (!m_drag->bBox)
            emit PanStarted();
    }
    if (m_drag->bBox)
        m_picture.update();
    else
        emit Panned(m_drag->end - m_drag->start);
}

void ViewGestures::Release(const QMouseEvent* pEvent)
{
    if (!m_drag || pEvent->button() != m_drag->button)
        return;
    const Drag drag = *m_drag;
    EndDrag();
    if (!drag.bMoved) {
        if (drag.button == Qt::LeftButton)
            emit Clicked(drag.start);
    } else if (drag.bBox) {
        emit Boxed(QRectF(drag.start, Pixel(pEvent)));
    } else {
        emit PanEnded();
    }
}

void ViewGestures::Wheel(const QWheelEvent* pEvent)
{
    // Small steps of fine wheels and touchpads add up to whole notches.
    const QPoint angle = pEvent->angleDelta();
    m_iWheelAngle += angle.y() != 0 ? angle.y() : angle.x();
    const int iNotches = m_iWheelAngle / kNotchAngle;
    if (iNotches == 0)
        return;
    m_iWheelAngle -= iNotches * kNotchAngle;
    const Qt::KeyboardModifiers modifiers = pEvent->modifiers();
    const ZoomAxes axes = modifiers.testFlag(Qt::ControlModifier) ? ZoomAxes::X
                        : modifiers.testFlag(Qt::ShiftModifier)   ? ZoomAxes::Y
                                                                  : ZoomAxes::Both;
    emit Zoomed(pEvent->position() - m_picture.contentsRect().topLeft(), iNotches, axes);
}

void ViewGestures::Cancel()
{
    if (!Dragging())
        return;
    const bool bPan = !m_drag->bBox;
    EndDrag();
    if (bPan)
        emit PanCancelled();
}

void ViewGestures::EndDrag()
{
    const bool bBox = m_drag && m_drag->bBox && m_drag->bMoved;
    m_drag.reset();
    m_picture.setCursor(Qt::OpenHandCursor);
    if (bBox)
        m_picture.update();
}

void ViewGestures::Paint(QPainter& painter) const
{
    if (!m_drag || !m_drag->bBox || !m_drag->bMoved)
        return;
    painter.save();
    painter.setPen(QPen(QColor(40, 90, 200), 1.0, Qt::DashLine));
    painter.setBrush(QColor(40, 90, 200, 40));
    painter.drawRect(QRectF(m_drag->start, m_drag->end).normalized());
    painter.restore();
}

#pragma once

#include "ViewNavigation.h"

#include <QObject>
#include <QPointF>
#include <QRectF>

#include <optional>

class PictureBox;
class QMouseEvent;
class QPainter;
class QWheelEvent;

// What the mouse does over the graph's picture, as gestures in picture
// pixels: the wheel zooms at the pointer, a drag with the left button pans,
// a drag with the right button (or Shift and the left) draws a box to zoom
// to, and a press and release of the left button that hardly moves is a
// click. The pointer shows an open hand over the picture, a closed one while
// panning and a cross while drawing a box.
class ViewGestures : public QObject {
    Q_OBJECT

public:
    explicit ViewGestures(PictureBox& picture);

    // A pan or a box is being dragged.
    bool Dragging() const { return m_drag.has_value() && m_drag->bMoved; }
    // Ends the drag as if it had not begun.
    void Cancel();
    // The box being drawn, in picture pixels.
    void Paint(QPainter& painter) const;

signals:
    void Clicked(QPointF pixel);
    // iNotches wheel notches away from the user (towards: negative).
    void Zoomed(QPointF pixel, int iNotches, ZoomAxes axes);
    void PanStarted();
    // The point pressed on is now offset pixels away from where it was.
    void Panned(QPointF offset);
    void PanEnded();
    void PanCancelled();
    void Boxed(QRectF box);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    QPointF Pixel(const QMouseEvent* pEvent) const;
    void Press(const QMouseEvent* pEvent);
    void Move(const QMouseEvent* pEvent);
    void Release(const QMouseEvent* pEvent);
    void Wheel(const QWheelEvent* pEvent);
    void EndDrag();

    PictureBox& m_picture;
    struct Drag {
        Qt::MouseButton button;
        bool bBox;
        QPointF start;
        QPointF end;
        bool bMoved = false;
    };
    std::optional<Drag> m_drag;
    int m_iWheelAngle = 0; // eighths of a degree not yet a whole notch
};

#include "ScreenCopy.h"

#include <cmath>

ScreenCopy::ScreenCopy(const QImage& picture, PictureCanvas& canvas)
    : m_picture(picture)
    , m_canvas(canvas)
{
}

bool ScreenCopy::Follow(qreal dRatio)
{
    const QSize size(static_cast<int>(std::ceil(m_picture.width() * dRatio)),
                     static_cast<int>(std::ceil(m_picture.height() * dRatio)));
    if (m_copy.isNull() ? dRatio <= 1.0 : m_copy.devicePixelRatio() == dRatio && m_copy.size() == size)
        return false;
    m_mirror.reset();
    if (m_painter.isActive())
        m_painter.end();
    if (dRatio <= 1.0) {
        m_copy = QImage();
        return true;
    }
    m_copy = PictureCanvas::NewImage(size, Qt::white);
    m_copy.setDevicePixelRatio(dRatio);
    m_painter.begin(&m_copy);
    m_painter.drawImage(QRectF(QPointF(0, 0), m_picture.size()), m_picture);
    m_mirror.emplace(m_canvas, m_painter);
    return true;
}

const QImage& ScreenCopy::Shown()
{
    if (m_copy.isNull())
        return m_picture;
    m_canvas.FlushMirrors();
    return m_copy;
}

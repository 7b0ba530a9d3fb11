#include "PictureBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

constexpr int kBorderWidth = 2;

} // namespace

PictureBox::PictureBox(QWidget* pParent, const QSize& outerSize)
    : QFrame(pParent)
    , m_image(PictureCanvas::NewImage(outerSize.shrunkBy(QMargins(kBorderWidth, kBorderWidth, kBorderWidth, kBorderWidth)),
                                     Qt::white))
    , m_canvas(m_image)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorderWidth);
    resize(outerSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    FollowScreenResolution();
}

bool PictureBox::FollowScreenResolution()
{
    const qreal dRatio = devicePixelRatioF();
    if (dRatio == (m_screen.isNull() ? 1.0 : m_screen.devicePixelRatio()))
        return false;
    m_screenMirror.reset();
    if (m_screenPainter.isActive())
        m_screenPainter.end();
    if (dRatio <= 1.0) {
        m_screen = QImage();
        return true;
    }
    const QSize size(static_cast<int>(std::ceil(m_image.width() * dRatio)),
                     static_cast<int>(std::ceil(m_image.height() * dRatio)));
    m_screen = PictureCanvas::NewImage(size, Qt::white);
    m_screen.setDevicePixelRatio(dRatio);
    m_screenPainter.begin(&m_screen);
    m_screenPainter.drawImage(QRectF(QPointF(0, 0), m_image.size()), m_image);
    m_screenMirror.emplace(m_canvas, m_screenPainter);
    return true;
}

void PictureBox::Refresh()
{
    repaint();
}

void PictureBox::paintEvent(QPaintEvent* pEvent)
{
    QFrame::paintEvent(pEvent);
    if (FollowScreenResolution())
        emit ResolutionChanged();
    m_canvas.FlushMirrors();
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), ScreenPicture());
    if (!m_bPainted) {
        m_bPainted = true;
        emit FirstPainted();
    }
}

void PictureBox::keyPressEvent(QKeyEvent* pEvent)
{
    emit KeyDown(pEvent);
}

void PictureBox::mouseMoveEvent(QMouseEvent* pEvent)
{
    emit MouseMove(pEvent);
}

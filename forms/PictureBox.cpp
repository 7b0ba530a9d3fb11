#include "PictureBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kBorderWidth = 2;

} // namespace

PictureBox::PictureBox(QWidget* pParent, const QSize& outerSize)
    : QFrame(pParent)
    , m_image(
          PictureCanvas::NewImage(outerSize.shrunkBy(QMargins(kBorderWidth, kBorderWidth, kBorderWidth, kBorderWidth)),
                                  Qt::white))
    , m_canvas(m_image)
    , m_screen(m_image, m_canvas)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorderWidth);
    resize(outerSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_screen.Follow(devicePixelRatioF());
}

void PictureBox::Refresh()
{
    repaint();
}

void PictureBox::paintEvent(QPaintEvent* pEvent)
{
    QFrame::paintEvent(pEvent);
    if (m_screen.Follow(devicePixelRatioF()))
        emit ResolutionChanged();
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), m_screen.Shown());
    if (m_paintOverlay) {
        painter.translate(contentsRect().topLeft());
        painter.setClipRect(QRect(QPoint(0, 0), m_image.size()));
        m_paintOverlay(painter);
    }
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

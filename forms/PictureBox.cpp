#include "PictureBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

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
}

void PictureBox::Refresh()
{
    repaint();
}

void PictureBox::paintEvent(QPaintEvent* pEvent)
{
    QFrame::paintEvent(pEvent);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), m_image);
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

#include "ArrowIcon.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

namespace {

class ArrowIconEngine : public QIconEngine {
public:
    explicit ArrowIconEngine(ArrowDirection direction) : m_direction(direction) {}

    void paint(QPainter* pPainter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        // The arrow points right in a 16 x 16 box and is turned into place.
        QPainterPath path;
        path.moveTo(1.5, 6.0);
        path.lineTo(8.5, 6.0);
        path.lineTo(8.5, 2.0);
        path.lineTo(14.5, 8.0);
        path.lineTo(8.5, 14.0);
        path.lineTo(8.5, 10.0);
        path.lineTo(1.5, 10.0);
        path.closeSubpath();

        const QPalette palette = QGuiApplication::palette();
        const QColor colour = mode == QIcon::Disabled ? palette.color(QPalette::Disabled, QPalette::ButtonText)
                                                      : palette.color(QPalette::Active, QPalette::ButtonText);
        const int iSide = qMin(rect.width(), rect.height());

        pPainter->save();
        pPainter->setRenderHint(QPainter::Antialiasing);
        pPainter->translate(rect.x() + (rect.width() - iSide) / 2.0, rect.y() + (rect.height() - iSide) / 2.0);
        pPainter->scale(iSide / 16.0, iSide / 16.0);
        pPainter->translate(8.0, 8.0);
        pPainter->rotate(RotationDegrees());
        pPainter->translate(-8.0, -8.0);
        pPainter->setPen(Qt::NoPen);
        pPainter->setBrush(colour);
        pPainter->drawPath(path);
        pPainter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal dScale) override
    {
        QPixmap pixmap(size * dScale);
        pixmap.setDevicePixelRatio(dScale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new ArrowIconEngine(m_direction); }

private:
    double RotationDegrees() const
    {
        switch (m_direction) {
        case ArrowDirection::Right: return 0.0;
        case ArrowDirection::Down: return 90.0;
        case ArrowDirection::Left: return 180.0;
        case ArrowDirection::Up: return 270.0;
        }
        return 0.0;
    }

    ArrowDirection m_direction;
};

} // namespace

QIcon ArrowIcon(ArrowDirection direction)
{
    return QIcon(new ArrowIconEngine(direction));
}

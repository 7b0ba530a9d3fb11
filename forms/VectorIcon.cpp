#include "VectorIcon.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

#include <utility>

namespace {

class VectorIconEngine : public QIconEngine {
public:
    VectorIconEngine(double dBoxSide, IconPainter draw) : m_dBoxSide(dBoxSide), m_draw(std::move(draw)) {}

    void paint(QPainter* pPainter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const QPalette palette = QGuiApplication::palette();
        IconInk ink;
        if (mode == QIcon::Disabled) {
            ink.main = palette.color(QPalette::Disabled, QPalette::ButtonText);
            ink.accent = ink.main;
        } else {
            ink.main = palette.color(QPalette::Active, QPalette::ButtonText);
            ink.accent = palette.color(QPalette::Active, QPalette::Highlight);
        }
        const int iSide = qMin(rect.width(), rect.height());

        pPainter->save();
        pPainter->setRenderHint(QPainter::Antialiasing);
        pPainter->translate(rect.x() + (rect.width() - iSide) / 2.0, rect.y() + (rect.height() - iSide) / 2.0);
        pPainter->scale(iSide / m_dBoxSide, iSide / m_dBoxSide);
        pPainter->setPen(Qt::NoPen);
        pPainter->setBrush(Qt::NoBrush);
        m_draw(*pPainter, ink);
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

    QIconEngine* clone() const override { return new VectorIconEngine(m_dBoxSide, m_draw); }

private:
    double m_dBoxSide;
    IconPainter m_draw;
};

} // namespace

QIcon VectorIcon(double dBoxSide, IconPainter draw)
{
    return QIcon(new VectorIconEngine(dBoxSide, std::move(draw)));
}

#include "ArrowIcon.h"

#include "PushButton.h"
#include "VectorIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace {

double RotationDegrees(ArrowDirection direction)
{
    switch (direction) {
    case ArrowDirection::Right: return 0.0;
    case ArrowDirection::Down: return 90.0;
    case ArrowDirection::Left: return 180.0;
    case ArrowDirection::Up: return 270.0;
    }
    return 0.0;
}

} // namespace

QIcon ArrowIcon(ArrowDirection direction)
{
    // The arrow points right in a 16 x 16 box and is turned into place.
    return VectorIcon(16.0, [direction](QPainter& painter, const IconInk& ink) {
        QPainterPath path;
        path.moveTo(1.5, 6.0);
        path.lineTo(8.5, 6.0);
        path.lineTo(8.5, 2.0);
        path.lineTo(14.5, 8.0);
        path.lineTo(8.5, 14.0);
        path.lineTo(8.5, 10.0);
        path.lineTo(1.5, 10.0);
        path.closeSubpath();

        painter.translate(8.0, 8.0);
        painter.rotate(RotationDegrees(direction));
        painter.translate(-8.0, -8.0);
        painter.fillPath(path, ink.main);
    });
}

QPushButton* ArrowButton(QWidget* pParent, ArrowDirection direction, const QString& strDescription, QSize iconSize)
{
    auto* pButton = new PushButton(pParent);
    pButton->setIcon(ArrowIcon(direction));
    pButton->setIconSize(iconSize);
    pButton->setToolTip(strDescription);
    pButton->setAccessibleName(strDescription);
    return pButton;
}

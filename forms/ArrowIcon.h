#pragma once

#include <QIcon>
#include <QSize>

class QPushButton;
class QString;
class QWidget;

enum class ArrowDirection { Left, Up, Right, Down };

// A plain arrow (shaft and head) drawn as vectors at whatever size and pixel
// ratio the icon is asked for, in the palette's text colour (greyed when the
// button is disabled).
QIcon ArrowIcon(ArrowDirection direction);

// A picture button showing the arrow; the description is its tooltip and
// accessible name. It never takes Enter as a default button.
QPushButton* ArrowButton(QWidget* pParent, ArrowDirection direction, const QString& strDescription, QSize iconSize);

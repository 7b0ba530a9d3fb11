#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

// Small helpers for windows that place their controls at fixed positions.

// Names a control after its role (tests and tools find it by that name) and
// puts it at its place in its parent.
template <typename Widget>
Widget* Place(Widget* pWidget, const char* pszName, const QRect& rect)
{
    pWidget->setObjectName(QLatin1String(pszName));
    pWidget->setGeometry(rect);
    return pWidget;
}

inline void SetBold(QWidget* pWidget)
{
    QFont font = pWidget->font();
    font.setWeight(QFont::Bold);
    pWidget->setFont(font);
}

// The windows' own font, "MS Sans Serif" at 8.25 points (a substitute
// stands in where it is not installed).
inline QFont WindowFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    return font;
}

inline void UseWindowFont(QWidget* pWindow)
{
    pWindow->setFont(WindowFont());
}

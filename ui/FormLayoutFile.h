#pragma once

#include "PropertyBag.h"

#include <QList>
#include <QRect>
#include <QString>

// A window's stored layout: the control instances it holds, each with its
// place and the properties the control loads from its store.
//
// The file is JSON: for each control array a list of instances with their
// "index", "left" and "top" in twips, their size as "_extentx" and
// "_extenty" in hundredths of a millimetre, and the control's own
// properties. A font is an object with "name", "size" (points) and "bold".
struct LayoutInstance {
    QString strName;
    int iIndex = 0;
    QRect rect; // pixels
    PropertyBag properties;
};

// The instances of a layout file, in the file's order; none when the file
// cannot be read or parsed.
QList<LayoutInstance> ReadFormLayout(const QString& strPath);

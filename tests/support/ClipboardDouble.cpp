#include "ClipboardDouble.h"

void ClipboardDouble::Clear()
{
    calls.append(QStringLiteral("Clear"));
    image = QImage();
}

void ClipboardDouble::SetImage(const QImage& newImage)
{
    calls.append(QStringLiteral("SetImage"));
    image = newImage;
}

void ClipboardDouble::SetText(const QString& strText)
{
    calls.append(QStringLiteral("SetText"));
    text = strText;
}

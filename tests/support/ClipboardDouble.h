#pragma once

#include "Clipboard.h"

#include <QImage>
#include <QStringList>

// Records what was done to the clipboard in order ("Clear", "SetImage") and
// holds the last image. Takes the desktop clipboard's place while it exists.
class ClipboardDouble : public ServiceStandIn<ClipboardService> {
public:
    void Clear() override;
    void SetImage(const QImage& image) override;
    void SetText(const QString& strText) override;

    QStringList calls;
    QImage image;
    QString text;
};

#pragma once

#include "ServiceSlot.h"

#include <QImage>

// The desktop clipboard, reached through one place so that tests never
// touch the real one.

class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    virtual void Clear() = 0;
    // Puts the image on the clipboard as a bitmap.
    virtual void SetImage(const QImage& image) = 0;
    // Puts plain text on the clipboard.
    virtual void SetText(const QString& strText) = 0;
};

template <>
ClipboardService& ServiceSlot<ClipboardService>::Real();

// The clipboard in use: the desktop's unless a stand-in has taken its place.
inline ClipboardService& CurrentClipboard()
{
    return ServiceSlot<ClipboardService>::Current();
}

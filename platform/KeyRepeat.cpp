#include "KeyRepeat.h"

#include <QGuiApplication>

#ifdef VELMORA_HAVE_X11
#include <X11/XKBlib.h>
#endif

bool UseDetectableKeyRepeat()
{
#ifdef VELMORA_HAVE_X11
    auto* pX11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (::Display* pDisplay = pX11 ? pX11->display() : nullptr) {
        Bool bSupported = False;
        return XkbSetDetectableAutoRepeat(pDisplay, True, &bSupported) && bSupported;
    }
#endif
    return false;
}

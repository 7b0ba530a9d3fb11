#pragma once

#include <Qt>
#include <QtGlobal>

class QKeyEvent;

// The numbers by which the button control reports keys and mouse buttons to
// its handlers: virtual key codes (13 Enter, 32 Space, 65 to 90 the letters,
// ...), a modifier mask (1 Shift, 2 Ctrl, 4 Alt) and a mouse-button mask
// (1 left, 2 right, 4 middle).

qint16 VirtualKeyCode(const QKeyEvent& event);
// The character a key typed, or 0 when it typed none.
qint16 KeyAscii(const QKeyEvent& event);
qint16 ShiftMask(Qt::KeyboardModifiers modifiers);
qint16 MouseButtonMask(Qt::MouseButtons buttons);

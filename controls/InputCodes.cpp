#include "InputCodes.h"

#include <QKeyEvent>

namespace {

struct KeyCodeEntry {
    int iQtKey;
    qint16 iCode;
};

// Keys whose code is not their character.
constexpr KeyCodeEntry kKeyCodes[] = {
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},        {Qt::Key_Backtab, 9},     {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},     {Qt::Key_Control, 17},    {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20},  {Qt::Key_Escape, 27},     {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34},  {Qt::Key_End, 35},        {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},     {Qt::Key_Up, 38},        {Qt::Key_Right, 39},      {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},    {Qt::Key_NumLock, 144},   {Qt::Key_ScrollLock, 145},
    {Qt::Key_Semicolon, 186}, {Qt::Key_Equal, 187},  {Qt::Key_Comma, 188},     {Qt::Key_Minus, 189},
    {Qt::Key_Period, 190},  {Qt::Key_Slash, 191},    {Qt::Key_QuoteLeft, 192}, {Qt::Key_BracketLeft, 219},
    {Qt::Key_Backslash, 220}, {Qt::Key_BracketRight, 221}, {Qt::Key_Apostrophe, 222},
};

// The numeric keypad's keys, told apart from the main keyboard's by the
// keypad modifier.
constexpr KeyCodeEntry kKeypadCodes[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107}, {Qt::Key_Minus, 109}, {Qt::Key_Period, 110},
    {Qt::Key_Comma, 110},    {Qt::Key_Slash, 111},
};

} // namespace

qint16 VirtualKeyCode(const QKeyEvent& event)
{
    const int iKey = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (iKey >= Qt::Key_0 && iKey <= Qt::Key_9)
            return static_cast<qint16>(96 + iKey - Qt::Key_0);
        for (const KeyCodeEntry& entry : kKeypadCodes) {
            if (entry.iQtKey == iKey)
                return entry.iCode;
        }
    }
    if ((iKey >= Qt::Key_0 && iKey <= Qt::Key_9) || (iKey >= Qt::Key_A && iKey <= Qt::Key_Z))
        return static_cast<qint16>(iKey);
    if (iKey >= Qt::Key_F1 && iKey <= Qt::Key_F24)
        return static_cast<qint16>(112 + iKey - Qt::Key_F1);
    for (const KeyCodeEntry& entry : kKeyCodes) {
        if (entry.iQtKey == iKey)
            return entry.iCode;
    }
    return 0;
}

qint16 KeyAscii(const QKeyEvent& event)
{
    const QString strText = event.text();
    return strText.isEmpty() ? qint16(0) : static_cast<qint16>(strText.front().unicode());
}

qint16 ShiftMask(Qt::KeyboardModifiers modifiers)
{
    return static_cast<qint16>(((modifiers & Qt::ShiftModifier) ? 1 : 0) | ((modifiers & Qt::ControlModifier) ? 2 : 0)
                               | ((modifiers & Qt::AltModifier) ? 4 : 0));
}

qint16 MouseButtonMask(Qt::MouseButtons buttons)
{
    return static_cast<qint16>(((buttons & Qt::LeftButton) ? 1 : 0) | ((buttons & Qt::RightButton) ? 2 : 0)
                               | ((buttons & Qt::MiddleButton) ? 4 : 0));
}

#include "WCButton.h"

#include "ButtonSurface.h"
#include "InputCodes.h"
#include "PropertyBag.h"
#include "WCButtonAccessible.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include <cmath>

namespace {

constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kBlack = 0;
constexpr std::int32_t kGrey = 0x808080;
constexpr qint16 kKeyEnter = 13;
constexpr qint16 kKeySpace = 32;
constexpr qint16 kLeftButton = 1;

// The arguments of the mouse events, as variables that handlers may change.
struct MouseArguments {
    MouseArguments(const QMouseEvent& event, Qt::MouseButtons buttons)
        : Button(MouseButtonMask(buttons))
        , Shift(ShiftMask(event.modifiers()))
        , X(static_cast<float>(event.position().x()))
        , Y(static_cast<float>(event.position().y()))
    {
    }
    qint16 Button;
    qint16 Shift;
    float X;
    float Y;
};

QFont AmbientFont(const QWidget* pButton)
{
    return pButton->parentWidget() ? pButton->parentWidget()->font() : QApplication::font();
}

} // namespace

WCButton::WCButton(QWidget* pParent)
    : QWidget(pParent)
    , m_font(AmbientFont(this))
    , m_surfaceBack(QApplication::palette().color(QPalette::Button))
{
    InstallWCButtonAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WCButton::PropertyAssigned(const char* pszName)
{
    emit PropertyChanged(QLatin1String(pszName));
    Redraw();
}

void WCButton::SetBackColor(std::uint32_t lColor)
{
    m_lBackColor = lColor;
    PropertyAssigned("BackColor");
}

void WCButton::SetForeColor(std::uint32_t lColor)
{
    m_lForeColor = lColor;
    PropertyAssigned("ForeColor");
}

void WCButton::SetFont(const QFont& font)
{
    m_font = font;
    PropertyAssigned("Font");
}

void WCButton::SetEnabled(bool bEnabled)
{
    m_bEnabled = bEnabled;
    PropertyAssigned("Enabled");
}

void WCButton::SetAlignment(std::int32_t lAlignment)
{
    m_lAlignment = lAlignment;
    PropertyAssigned("Alignment");
}

void WCButton::SetCaption(const QString& strCaption)
{
    m_strCaption = strCaption;
    setAccessibleName(strCaption);
    PropertyAssigned("Caption");
}

void WCButton::SetShowFocusRect(bool bShow)
{
    m_bShowFocusRect = bShow;
    PropertyAssigned("ShowFocusRect");
}

void WCButton::InitProperties()
{
    SetBackColor(kButtonFaceColor);
    SetForeColor(0);
    SetFont(AmbientFont(this));
    SetEnabled(true);
    SetAlignment(2);
    SetCaption(objectName());
    SetShowFocusRect(true);
}

void WCButton::ReadProperties(const PropertyBag& propBag)
{
    SetBackColor(propBag.ReadProperty(QStringLiteral("BackColor"), kButtonFaceColor).toUInt());
    SetForeColor(propBag.ReadProperty(QStringLiteral("ForeColor"), 0u).toUInt());
    SetFont(propBag.ReadProperty(QStringLiteral("Font"), AmbientFont(this)).value<QFont>());
    SetEnabled(propBag.ReadProperty(QStringLiteral("Enabled"), true).toInt() != 0);
    SetAlignment(propBag.ReadProperty(QStringLiteral("Alignment"), 2).toInt());
    SetCaption(propBag.ReadProperty(QStringLiteral("Caption"), QString()).toString());
    SetShowFocusRect(propBag.ReadProperty(QStringLiteral("ShowFocusRect"), true).toInt() != 0);
}

void WCButton::WriteProperties(PropertyBag& propBag) const
{
    propBag.WriteProperty(QStringLiteral("BackColor"), m_lBackColor, kButtonFaceColor);
    propBag.WriteProperty(QStringLiteral("ForeColor"), m_lForeColor, 0u);
    propBag.WriteProperty(QStringLiteral("Font"), m_font, AmbientFont(this));
    propBag.WriteProperty(QStringLiteral("Enabled"), m_bEnabled, true);
    propBag.WriteProperty(QStringLiteral("Alignment"), m_lAlignment, 2);
    propBag.WriteProperty(QStringLiteral("Caption"), m_strCaption, QString());
    propBag.WriteProperty(QStringLiteral("ShowFocusRect"), m_bShowFocusRect, true);
}

// ---------------------------------------------------------------------------
// Drawing

void WCButton::Redraw()
{
    Render();
    update();
}

void WCButton::Render()
{
    const qreal dRatio = devicePixelRatioF();
    const QSize pixels = size() * dRatio;
    if (pixels.isEmpty())
        return;
    if (m_surface.size() != pixels)
        m_surface = QImage(pixels, QImage::Format_RGB32);
    m_surface.setDevicePixelRatio(dRatio);

    ButtonSurface surface(m_surface);
    // A colour that cannot be resolved is skipped: the step fails and the
    // next one runs.
    surface.Clear(m_surfaceBack);
    const std::int32_t lBack = TranslateColor(m_lBackColor);
    if (lBack != -1) {
        m_surfaceBack = ColorFromRgb(lBack);
        surface.Clear(m_surfaceBack);
    }
    DrawBorder(surface);
    DrawCaption(surface);
}

void WCButton::DrawBorder(ButtonSurface& surface)
{
    const int SW = width();
    const int SH = height();
    const QColor white = ColorFromRgb(kWhite);
    const QColor black = ColorFromRgb(kBlack);
    const std::int32_t lShadow = TranslateColor(kButtonShadowColor);
    if (lShadow == -1)
        return;
    const QColor shadow = ColorFromRgb(lShadow);
    const QColor darkShadow = ColorFromRgb(GetDarkShadowColor());

    if (!m_bEnabled || (!Pressed && !HasFocus)) {
        // Raised, and disabled.
        surface.Line(0, 0, SW, 0, white);
        surface.Line(0, 0, 0, SH, white);
        surface.Line(0, SH - 1, SW, SH - 1, darkShadow);
        surface.Line(SW - 1, 0, SW - 1, SH - 1, darkShadow);
        surface.Line(1, SH - 2, SW - 1, SH - 2, shadow);
        surface.Line(SW - 2, 1, SW - 2, SH - 2, shadow);
        return;
    }
    if (Pressed) {
        surface.Line(0, 0, SW, 0, black);
        surface.Line(0, 0, 0, SH, black);
        surface.Line(0, SH - 1, SW, SH - 1, black);
        surface.Line(SW - 1, 0, SW - 1, SH, black);
        surface.Line(1, 1, SW - 1, 1, shadow);
        surface.Line(1, 1, 1, SH - 1, shadow);
        surface.Line(0, SH - 2, SW - 1, SH - 2, shadow);
        surface.Line(SW - 2, 1, SW - 2, SH - 1, shadow);
        if (HasFocus && m_bShowFocusRect)
            surface.FocusRect(4, 4, SW - 4, SH - 4);
        return;
    }
    // Focused.
    surface.OutlineRect(0, 0, SW - 1, SH - 1, black);
    surface.Line(1, 1, SW - 1, 1, white);
    surface.Line(1, 1, 1, SH - 1, white);
    surface.Line(1, SH - 1, SW - 1, SH - 1, darkShadow);
    surface.Line(SW - 1, 1, SW - 1, SH - 1, darkShadow);
    surface.Line(2, SH - 2, SW - 2, SH - 2, shadow);
    surface.Line(SW - 2, 2, SW - 2, SH - 2, shadow);
    if (m_bShowFocusRect)
        surface.FocusRect(4, 4, SW - 4, SH - 4);
}

void WCButton::DrawCaption(ButtonSurface& surface)
{
    if (m_strCaption.isEmpty())
        return;
    const QFontMetricsF metrics(m_font);
    const float sngWidth = static_cast<float>(metrics.horizontalAdvance(m_strCaption));
    const float sngHeight = static_cast<float>(metrics.height());
    const float SW = static_cast<float>(width());
    const float SH = static_cast<float>(height());
    float x = 0;
    switch (m_lAlignment) {
    case 0: x = 5; break;
    case 1: x = SW - sngWidth - 5; break;
    case 2: x = SW / 2 - sngWidth / 2; break;
    default: return;
    }
    const float y = SH / 2 - sngHeight / 2;
    const std::int32_t lColor = m_bEnabled ? TranslateColor(m_lForeColor) : kGrey;
    if (lColor == -1)
        return;
    surface.Text(QPointF(x, y), m_strCaption, m_font, ColorFromRgb(lColor));
}

void WCButton::SplitColor(std::int32_t lColor, std::int16_t& iRed, std::int16_t& iGreen, std::int16_t& iBlue)
{
    // Remainders take the sign of the colour, as integer division does.
    iRed = static_cast<std::int16_t>(lColor % 256);
    iGreen = static_cast<std::int16_t>(((lColor & ~0xFF) / 256) % 256);
    iBlue = static_cast<std::int16_t>((lColor & 0xFF0000) / 65536);
}

std::int32_t WCButton::GetDarkShadowColor()
{
    std::int16_t iRed = 0;
    std::int16_t iGreen = 0;
    std::int16_t iBlue = 0;
    SplitColor(TranslateColor(kButtonShadowColor), iRed, iGreen, iBlue);
    // Halves go to the even neighbour: 127 * 0.5 gives 64, 125 * 0.5 gives 62.
    const auto half = [](std::int16_t iComponent) {
        return static_cast<std::int32_t>(std::nearbyint(iComponent * 0.5));
    };
    return half(iRed) + half(iGreen) * 256 + half(iBlue) * 65536;
}

void WCButton::paintEvent(QPaintEvent*)
{
    Render();
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}

void WCButton::resizeEvent(QResizeEvent* pEvent)
{
    QWidget::resizeEvent(pEvent);
    Redraw();
}

// ---------------------------------------------------------------------------
// Input. Each notification raises its event first, then tests the event's
// arguments, which a handler may have changed.

void WCButton::FocusNotified(bool bHasFocus)
{
    // A disabled button keeps the focus state it had.
    if (!m_bEnabled)
        return;
    HasFocus = bHasFocus;
    Redraw();
}

void WCButton::focusInEvent(QFocusEvent* pEvent)
{
    QWidget::focusInEvent(pEvent);
    FocusNotified(true);
}

void WCButton::focusOutEvent(QFocusEvent* pEvent)
{
    QWidget::focusOutEvent(pEvent);
    FocusNotified(false);
}

void WCButton::keyPressEvent(QKeyEvent* pEvent)
{
    pEvent->accept();
    if (!m_bEnabled)
        return;
    qint16 KeyCode = VirtualKeyCode(*pEvent);
    qint16 Shift = ShiftMask(pEvent->modifiers());
    emit KeyDown(KeyCode, Shift);
    if (KeyCode == kKeySpace && !Pressed) {
        Pressed = true;
        Redraw();
    }
    qint16 iKeyAscii = KeyAscii(*pEvent);
    if (iKeyAscii != 0)
        emit KeyPress(iKeyAscii);
}

void WCButton::keyReleaseEvent(QKeyEvent* pEvent)
{
    pEvent->accept();
    // A held key repeats as release and press pairs marked auto-repeat; only
    // the last release is a release.
    if (!m_bEnabled || pEvent->isAutoRepeat())
        return;
    qint16 KeyCode = VirtualKeyCode(*pEvent);
    qint16 Shift = ShiftMask(pEvent->modifiers());
    emit KeyUp(KeyCode, Shift);
    if (KeyCode == kKeySpace && Pressed) {
        Pressed = false;
        Redraw();
    }
    if (KeyCode == kKeyEnter)
        emit Click();
}

void WCButton::mousePressEvent(QMouseEvent* pEvent)
{
    pEvent->accept();
    if (!m_bEnabled)
        return;
    m_bClickArmed = pEvent->button() == Qt::LeftButton;
    MouseArguments args(*pEvent, pEvent->button());
    emit MouseDown(args.Button, args.Shift, args.X, args.Y);
    if (args.Button == kLeftButton && !Pressed) {
        Pressed = true;
        Redraw();
    }
}

void WCButton::mouseMoveEvent(QMouseEvent* pEvent)
{
    pEvent->accept();
    if (!m_bEnabled)
        return;
    MouseArguments args(*pEvent, pEvent->buttons());
    emit MouseMove(args.Button, args.Shift, args.X, args.Y);
}

void WCButton::mouseReleaseEvent(QMouseEvent* pEvent)
{
    pEvent->accept();
    if (!m_bEnabled)
        return;
    // A left press and release over the button make a click.
    const bool bClick = m_bClickArmed && pEvent->button() == Qt::LeftButton && rect().contains(pEvent->position().toPoint());
    if (pEvent->button() == Qt::LeftButton)
        m_bClickArmed = false;
    MouseArguments args(*pEvent, pEvent->button());
    emit MouseUp(args.Button, args.Shift, args.X, args.Y);
    if (args.Button == kLeftButton && Pressed) {
        Pressed = false;
        Redraw();
    }
    if (bClick)
        emit Click();
}

void WCButton::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    // The second press of a double click neither pushes the button nor arms
    // a click.
    // Only the left button makes double clicks; for the others this is an
    // ordinary press.
    if (pEvent->button() != Qt::LeftButton) {
        mousePressEvent(pEvent);
        return;
    }
    pEvent->accept();
    if (!m_bEnabled)
        return;
    m_bClickArmed = false;
    emit DoubleClick();
}

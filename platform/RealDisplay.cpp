#include "RealDisplay.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

#ifdef VELMORA_HAVE_XRANDR
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#endif

namespace {

QSize PrimaryScreenPixels()
{
    const QScreen* pScreen = QGuiApplication::primaryScreen();
    if (!pScreen)
        return QSize();
    const QSize size = pScreen->geometry().size();
    const double dRatio = pScreen->devicePixelRatio();
    return QSize(static_cast<int>(std::lround(size.width() * dRatio)),
                 static_cast<int>(std::lround(size.height() * dRatio)));
}

#ifdef VELMORA_HAVE_XRANDR

int IgnoreXError(::Display*, XErrorEvent*)
{
    return 0;
}

// A connection of our own to the X server that Qt shows its windows on, with
// X errors ignored while it is open (Xlib's default handler would end the
// program on a refused request).
class XConnection {
public:
    XConnection()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            return;
        m_pDisplay = XOpenDisplay(nullptr);
        int iEventBase = 0;
        int iErrorBase = 0;
        if (m_pDisplay && !XRRQueryExtension(m_pDisplay, &iEventBase, &iErrorBase)) {
            XCloseDisplay(m_pDisplay);
            m_pDisplay = nullptr;
        }
        if (m_pDisplay)
            m_previousHandler = XSetErrorHandler(IgnoreXError);
    }
    ~XConnection()
    {
        if (!m_pDisplay)
            return;
        XSync(m_pDisplay, False);
        XSetErrorHandler(m_previousHandler);
        XCloseDisplay(m_pDisplay);
    }
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    ::Display* get() const { return m_pDisplay; }

private:
    ::Display* m_pDisplay = nullptr;
    XErrorHandler m_previousHandler = nullptr;
};

#endif

} // namespace

std::int32_t RealDisplay::GetSystemMetrics(int nIndex)
{
    const QSize size = PrimaryScreenPixels();
    if (nIndex == SM_CXSCREEN)
        return size.width();
    if (nIndex == SM_CYSCREEN)
        return size.height();
    return 0;
}

bool RealDisplay::EnumDisplaySettings(std::int32_t iModeNum, DisplayMode& mode)
{
#ifdef VELMORA_HAVE_XRANDR
    XConnection connection;
    if (::Display* pDisplay = connection.get()) {
        const int iScreen = DefaultScreen(pDisplay);
        int iSizes = 0;
        const XRRScreenSize* pSizes = XRRSizes(pDisplay, iScreen, &iSizes);
        if (!pSizes || iModeNum < 0 || iModeNum >= iSizes)
            return false;
        int iRates = 0;
        const short* pRates = XRRRates(pDisplay, iScreen, iModeNum, &iRates);
        mode = DisplayMode{};
        mode.dmBitsPerPel = static_cast<std::uint32_t>(DefaultDepth(pDisplay, iScreen));
        mode.dmPelsWidth = static_cast<std::uint32_t>(pSizes[iModeNum].width);
        mode.dmPelsHeight = static_cast<std::uint32_t>(pSizes[iModeNum].height);
        mode.dmDisplayFrequency = (pRates && iRates > 0) ? static_cast<std::uint32_t>(pRates[0]) : 0;
        return true;
    }
#endif
    // Without a way to list modes, the current size is the only one.
    if (iModeNum != 0)
        return false;
    const QSize size = PrimaryScreenPixels();
    mode = DisplayMode{};
    mode.dmPelsWidth = static_cast<std::uint32_t>(size.width());
    mode.dmPelsHeight = static_cast<std::uint32_t>(size.height());
    return true;
}

void RealDisplay::ChangeDisplaySettings([[maybe_unused]] const DisplayMode& mode)
{
#ifdef VELMORA_HAVE_XRANDR
    XConnection connection;
    ::Display* pDisplay = connection.get();
    if (!pDisplay)
        return;
    const Window root = DefaultRootWindow(pDisplay);
    XRRScreenConfiguration* pConfig = XRRGetScreenInfo(pDisplay, root);
    if (!pConfig)
        return;
    Rotation rotation = 0;
    const SizeID current = XRRConfigCurrentConfiguration(pConfig, &rotation);
    int iSizes = 0;
    const XRRScreenSize* pSizes = XRRConfigSizes(pConfig, &iSizes);
    int iWanted = -1;
    for (int i = 0; pSizes && i < iSizes; ++i) {
        const bool bWidthMatches = !(mode.dmFields & DM_PELSWIDTH)
            || static_cast<std::uint32_t>(pSizes[i].width) == mode.dmPelsWidth;
        const bool bHeightMatches = !(mode.dmFields & DM_PELSHEIGHT)
            || static_cast<std::uint32_t>(pSizes[i].height) == mode.dmPelsHeight;
        if (bWidthMatches && bHeightMatches && (mode.dmFields & (DM_PELSWIDTH | DM_PELSHEIGHT))) {
            iWanted = i;
            break;
        }
    }
    if (iWanted >= 0 && iWanted != current)
        XRRSetScreenConfig(pDisplay, pConfig, root, static_cast<SizeID>(iWanted), rotation, CurrentTime);
    XRRFreeScreenConfigInfo(pConfig);
#endif
}

template <>
DisplayServices& ServiceSlot<DisplayServices>::Real()
{
    static RealDisplay display;
    return display;
}

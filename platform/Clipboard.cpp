#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

class DesktopClipboard : public ClipboardService {
public:
    void Clear() override { QGuiApplication::clipboard()->clear(); }
    void SetImage(const QImage& image) override { QGuiApplication::clipboard()->setImage(image); }
};

ClipboardService*& InstalledClipboard()
{
    static ClipboardService* pClipboard = nullptr;
    return pClipboard;
}

} // namespace

ClipboardService& CurrentClipboard()
{
    if (InstalledClipboard())
        return *InstalledClipboard();
    static DesktopClipboard desktop;
    return desktop;
}

ClipboardService* SetClipboard(ClipboardService* pClipboard)
{
    ClipboardService* pPrevious = InstalledClipboard();
    InstalledClipboard() = pClipboard;
    return pPrevious;
}

ClipboardDouble::ClipboardDouble() : m_previous(SetClipboard(this)) {}

ClipboardDouble::~ClipboardDouble()
{
    SetClipboard(m_previous);
}

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

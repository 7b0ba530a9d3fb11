#include "Clipboard.h"

#include "ServiceSlot.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

class DesktopClipboard : public ClipboardService {
public:
    void Clear() override { QGuiApplication::clipboard()->clear(); }
    void SetImage(const QImage& image) override { QGuiApplication::clipboard()->setImage(image); }
};

} // namespace

using ClipboardSlot = ServiceSlot<ClipboardService, DesktopClipboard>;

ClipboardService& CurrentClipboard()
{
    return ClipboardSlot::Current();
}

ClipboardService* SetClipboard(ClipboardService* pClipboard)
{
    return ClipboardSlot::Install(pClipboard);
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

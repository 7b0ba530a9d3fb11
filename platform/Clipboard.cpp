#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

class DesktopClipboard : public ClipboardService {
public:
    void Clear() override { QGuiApplication::clipboard()->clear(); }
    void SetImage(const QImage& image) override { QGuiApplication::clipboard()->setImage(image); }
    void SetText(const QString& strText) override { QGuiApplication::clipboard()->setText(strText); }
};

} // namespace

template <>
ClipboardService& ServiceSlot<ClipboardService>::Real()
{
    static DesktopClipboard clipboard;
    return clipboard;
}

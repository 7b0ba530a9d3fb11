#pragma once

#include <QImage>
#include <QStringList>

// The desktop clipboard, reached through one place so that tests never
// touch the real one.

class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    virtual void Clear() = 0;
    // Puts the image on the clipboard as a bitmap.
    virtual void SetImage(const QImage& image) = 0;
};

// The clipboard in use: the desktop's unless a test installed another.
ClipboardService& CurrentClipboard();

// Installs a clipboard for tests; nullptr restores the desktop's. Returns
// the previously installed one (nullptr for the desktop's).
ClipboardService* SetClipboard(ClipboardService* pClipboard);

// Test double: records what was done to it in order ("Clear", "SetImage")
// and holds the last image. Installs itself while it exists.
class ClipboardDouble : public ClipboardService {
public:
    ClipboardDouble();
    ~ClipboardDouble() override;
    ClipboardDouble(const ClipboardDouble&) = delete;
    ClipboardDouble& operator=(const ClipboardDouble&) = delete;

    void Clear() override;
    void SetImage(const QImage& image) override;

    QStringList calls;
    QImage image;

private:
    ClipboardService* m_previous;
};

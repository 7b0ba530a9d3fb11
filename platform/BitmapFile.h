#pragma once

#include <QImage>
#include <QString>

#include <functional>

class QIODevice;

// Writes the image to the file as a Windows bitmap, or in another format
// that Qt's image writers know ("PNG"). The data goes to a temporary file in
// the same folder that takes the name only once it is complete, so a failure
// leaves no partial file behind and an existing file untouched. False when
// anything failed; the reason then goes to pstrError.
bool WriteBitmapFile(const QImage& image, const QString& strPath, QString* pstrError = nullptr,
                     const char* pszFormat = "BMP");

// Writes a file whole or not at all, the same way: write fills the file and
// says whether it succeeded.
bool WriteWholeFile(const QString& strPath, const std::function<bool(QIODevice&)>& write, QString* pstrError = nullptr);

#pragma once

#include <QSize>
#include <QString>

#include <functional>

class QIODevice;
class QPainter;

enum class VectorFormat { Svg, Pdf };

// Writes a vector document, a drawing of the given size in pixels at 96
// dots per inch: an SVG drawing, or a PDF document of one page that size.
// draw paints it on a painter whose coordinates are those pixels. The file
// is written whole or not at all (WriteWholeFile). False when
// anything failed; the reason then goes to pstrError.
bool WriteVectorFile(VectorFormat format, const QString& strPath, const QSize& size, const QString& strTitle,
                     const std::function<void(QPainter&)>& draw, QString* pstrError = nullptr);

// Writes the same document to a device, as it is: false when drawing or
// writing failed.
bool WriteVectorDocument(VectorFormat format, QIODevice& device, const QSize& size, const QString& strTitle,
                         const std::function<void(QPainter&)>& draw);

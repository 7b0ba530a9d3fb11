#pragma once

#include <QString>

#include <optional>

class QImage;
struct GraphScene;

// The formats a graph is written in, in the order of the save dialog's
// filters (the first is the default): BMP and PNG hold the picture pixel for
// pixel, SVG and PDF a drawing of it in lines and texts.
enum class PictureFormat { Bmp, Png, Svg, Pdf };

// The save dialog's filter, made from the table of formats:
// "Pictures (*.bmp)|*.bmp|PNG pictures ...".
QString GraphFileFilter();

QString FormatExtension(PictureFormat format);

// The format that a file's extension names, in any case ("graph.PNG"), or
// nothing for any other extension.
std::optional<PictureFormat> PictureFormatOfFile(const QString& strFile);

// Where a name chosen in the save dialog under the filter iFilter is written,
// and in which format: a name ending in one of the formats' extensions is
// written in that format, whatever the filter; any other name is given the
// filter's extension and format.
struct GraphFileTarget {
    QString strFile;
    PictureFormat format;
};
GraphFileTarget SaveTarget(const QString& strChosen, int iFilter);

// Writes the scene into the file in the format: its picture (pDrawn, when
// the caller has it drawn already), or a drawing of the same size in lines
// and texts. A failure leaves no partial file and an existing file
// untouched; the reason then goes to pstrReason.
bool WriteGraph(const GraphScene& scene, const QString& strFile, PictureFormat format, QString* pstrReason = nullptr,
                const QImage* pDrawn = nullptr);

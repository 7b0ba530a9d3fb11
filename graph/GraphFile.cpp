#include "GraphFile.h"

#include "BitmapFile.h"
#include "GraphScene.h"
#include "ProgramIdentity.h"
#include "VectorFile.h"

#include <QFileInfo>

namespace {

struct GraphFileFormat {
    PictureFormat format;
    const char* pszExtension;   // without the point, "bmp"
    const char* pszDescription; // the save dialog's filter text, "Pictures (*.bmp)"
};

constexpr GraphFileFormat kFormats[] = {
    {PictureFormat::Bmp, "bmp", "Pictures (*.bmp)"},
    {PictureFormat::Png, "png", "PNG pictures (*.png)"},
    {PictureFormat::Svg, "svg", "SVG drawings (*.svg)"},
    {PictureFormat::Pdf, "pdf", "PDF documents (*.pdf)"},
};

const GraphFileFormat& FormatEntry(PictureFormat format)
{
    return kFormats[static_cast<int>(format)];
}

} // namespace

QString GraphFileFilter()
{
    QStringList pairs;
    for (const GraphFileFormat& entry : kFormats)
        pairs << QLatin1String(entry.pszDescription) << QStringLiteral("*.") + QLatin1String(entry.pszExtension);
    return pairs.join(QLatin1Char('|'));
}

QString FormatExtension(PictureFormat format)
{
    return QLatin1String(FormatEntry(format).pszExtension);
}

std::optional<PictureFormat> PictureFormatOfFile(const QString& strFile)
{
    const QString strExtension = QFileInfo(strFile).suffix();
    for (const GraphFileFormat& entry : kFormats)
        if (strExtension.compare(QLatin1String(entry.pszExtension), Qt::CaseInsensitive) == 0)
            return entry.format;
    return std::nullopt;
}

GraphFileTarget SaveTarget(const QString& strChosen, int iFilter)
{
    if (const std::optional<PictureFormat> named = PictureFormatOfFile(strChosen))
        return {strChosen, *named};
    const PictureFormat filtered = iFilter >= 0 && iFilter < static_cast<int>(std::size(kFormats))
                                     ? kFormats[iFilter].format
                                     : kFormats[0].format;
    // "graph." takes the extension after its point.
    const QString strStem = strChosen.endsWith(QLatin1Char('.')) ? strChosen.chopped(1) : strChosen;
    return {strStem + QLatin1Char('.') + FormatExtension(filtered), filtered};
}

bool WriteGraph(const GraphScene& scene, const QString& strFile, PictureFormat format, QString* pstrReason,
                const QImage* pDrawn)
{
    if (format == PictureFormat::Bmp || format == PictureFormat::Png)
        return WriteBitmapFile(pDrawn ? *pDrawn : GraphPicture(scene), strFile, pstrReason,
                               format == PictureFormat::Png ? "PNG" : "BMP");
    // The drawing is made by a mirror of the picture's canvas, so that it
    // holds the lines and texts the picture is drawn with, at their exact
    // places.
    return WriteVectorFile(
        format == PictureFormat::Svg ? VectorFormat::Svg : VectorFormat::Pdf, strFile, kGraphPictureSize,
        QString::fromUtf8(kGraphCreatedLine), [&scene](QPainter& painter) { GraphPicture(scene, &painter); },
        pstrReason);
}

#include "VectorFile.h"

#include "ProgramIdentity.h"
#include "WholeFile.h"

#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace {

constexpr int kDotsPerInch = 96;

bool DrawOn(QPaintDevice& device, const std::function<void(QPainter&)>& draw)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    draw(painter);
    return painter.end();
}

} // namespace

bool WriteVectorDocument(VectorFormat format, QIODevice& device, const QSize& size, const QString& strTitle,
                         const std::function<void(QPainter&)>& draw)
{
    if (format == VectorFormat::Svg) {
        QSvgGenerator generator;
        generator.setOutputDevice(&device);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setResolution(kDotsPerInch);
        generator.setTitle(strTitle);
        return DrawOn(generator, draw);
    }
    QPdfWriter writer(&device);
    writer.setResolution(kDotsPerInch);
    writer.setTitle(strTitle);
    writer.setCreator(QString::fromUtf8(kProgramTitle));
    // One page the size of the picture, without margins.
    const QSizeF points = QSizeF(size) * 72.0 / kDotsPerInch;
    writer.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                     QPageLayout::Portrait, QMarginsF()));
    return DrawOn(writer, draw);
}

bool WriteVectorFile(VectorFormat format, const QString& strPath, const QSize& size, const QString& strTitle,
                     const std::function<void(QPainter&)>& draw, QString* pstrError)
{
    return WriteWholeFile(
        strPath, [&](QIODevice& file) { return WriteVectorDocument(format, file, size, strTitle, draw); }, pstrError);
}

#pragma once

// Checks that a scene drawn the usual way (shared painters, stamped labels,
// repeats left out) looks exactly as it does drawn the plain way, on every
// surface the program draws it on: the picture itself; the copy that a
// screen of two device pixels to a pixel shows; and an SVG drawing, rendered
// back at twice its size, where lines and labels that cover the same
// places may still darken antialiased edges differently when drawn twice.

#include "GraphScene.h"
#include "VectorFile.h"

#include <QBuffer>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <optional>

namespace plain_drawing_check {

inline QImage FineScreenCopy(const GraphScene& scene, CanvasDrawing drawing)
{
    QImage copy = PictureCanvas::NewImage(kGraphPictureSize * 2, Qt::white);
    copy.setDevicePixelRatio(2);
    QPainter painter(&copy);
    GraphPicture(scene, &painter, drawing);
    painter.end();
    return copy;
}

// Where the SVG drawing, rendered back, has ink: white elsewhere, black there.
inline QImage SvgInk(const GraphScene& scene, CanvasDrawing drawing)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteVectorDocument(VectorFormat::Svg, buffer, kGraphPictureSize, QString(),
                        [&](QPainter& painter) { GraphPicture(scene, &painter, drawing); });
    QSvgRenderer renderer(buffer.data());
    QImage rendered(kGraphPictureSize * 2, QImage::Format_RGB32);
    rendered.fill(Qt::white);
    QPainter back(&rendered);
    renderer.render(&back);
    back.end();
    QImage ink(rendered.size(), QImage::Format_Mono);
    for (int y = 0; y < rendered.height(); ++y)
        for (int x = 0; x < rendered.width(); ++x)
            ink.setPixel(x, y, rendered.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0);
    return ink;
}

} // namespace plain_drawing_check

// What differs between the scene drawn the usual way and the plain way;
// nothing when every surface is alike. Without bDrawing the SVG drawing,
// slow to render back for scenes of thousands of labels, is left out.
inline std::optional<QString> PlainDrawingDifference(const GraphScene& scene, bool bDrawing = true)
{
    using namespace plain_drawing_check;
    if (GraphPicture(scene) != GraphPicture(scene, nullptr, CanvasDrawing::Plain))
        return QStringLiteral("the picture");
    if (FineScreenCopy(scene, CanvasDrawing::Usual) != FineScreenCopy(scene, CanvasDrawing::Plain))
        return QStringLiteral("the picture at two device pixels to a pixel");
    if (bDrawing && SvgInk(scene, CanvasDrawing::Usual) != SvgInk(scene, CanvasDrawing::Plain))
        return QStringLiteral("the SVG drawing");
    return std::nullopt;
}

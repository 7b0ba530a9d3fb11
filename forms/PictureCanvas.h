#pragma once

#include "GlyphStamps.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPen>
#include <QPolygonF>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

enum class DrawStyle { Solid, Dot };

// How a canvas draws. The usual way shares one painter across a batch,
// stamps labels glyph by glyph and leaves out a line or label that repeats
// the last one drawn in the same colour, since it could not change a pixel.
// The plain way draws each call with a painter of its own and draws
// everything: the way to check the usual way against. Both give the same
// pixels.
enum class CanvasDrawing { Usual, Plain };

// The drawing state of a picture surface over its persistent image: the
// current position, fore colour, line width and style, and font; lines,
// ellipses and text at the current position. Coordinates are pixels of the
// image, y growing downward, and are rounded to whole pixels (halves to
// even) when drawn. Lines are drawn without antialiasing and include both
// end points, so a line of no length shows as a dot as wide as the pen.
// Text is drawn without antialiasing, in whole pixels of the fore colour.
//
// A mirror draws the same picture at the resolution of another surface: a
// screen with finer pixels, or a vector document. It keeps the fractions
// that the image rounds away, and joins the lines of a curve into one
// polyline.
class PictureCanvas {
public:
    explicit PictureCanvas(QImage& image, CanvasDrawing drawing = CanvasDrawing::Usual);

    // An image for a surface, filled with one colour, at 96 dots per inch
    // so that font sizes in points come out as on a standard screen.
    static QImage NewImage(const QSize& size, const QColor& color);
    ~PictureCanvas();
    PictureCanvas(const PictureCanvas&) = delete;
    PictureCanvas& operator=(const PictureCanvas&) = delete;

    // While a batch exists, drawing shares one painter instead of opening
    // one for each line or text; for the many short lines of a curve and the
    // marks and labels of the axes. The picture must not be cleared
    // meanwhile. Batches may nest.
    class Batch {
    public:
        explicit Batch(PictureCanvas& canvas);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        PictureCanvas& m_canvas;
        bool m_bOwnsPainter = false;
    };

    // While a mirror exists, everything drawn on the canvas is drawn with its
    // painter too, in the canvas's coordinates (the painter maps them onto
    // its surface). The painter must stay active meanwhile. Mirrors may nest.
    class Mirror {
    public:
        Mirror(PictureCanvas& canvas, QPainter& painter);
        ~Mirror();
        Mirror(const Mirror&) = delete;
        Mirror& operator=(const Mirror&) = delete;

    private:
        PictureCanvas& m_canvas;
        QPainter& m_painter;
    };

    // Draws the polylines that the mirrors still hold back, so that they
    // show the whole picture drawn so far.
    void FlushMirrors();

    // Fills the image with the back colour and moves the current position
    // to the top-left corner.
    void Cls();

    void Line(double dX1, double dY1, double dX2, double dY2);
    // A line from the current position; the position then rests at its end.
    void LineTo(double dX, double dY);

    // An ellipse centred on (dX, dY). The aspect is the vertical radius over
    // the horizontal one; dRadius is the horizontal radius when the aspect
    // is below 1 and the vertical one otherwise. Never filled.
    void Circle(double dX, double dY, double dRadius, double dAspect);

    // Draws the text with its top-left corner at the current position. With
    // bNewLine the position then moves to the start of the next line;
    // otherwise it rests right after the text.
    void Print(const QString& strText, bool bNewLine = true);

    double CurrentX = 0.0;
    double CurrentY = 0.0;

    std::uint32_t ForeColor = 0;
    std::uint32_t BackColor = 0xFFFFFF;
    int DrawWidth = 1;
    DrawStyle Style = DrawStyle::Solid;
    QFont Font;

private:
    // Runs draw with the batch's painter, or with one of its own.
    template <typename Draw>
    void Paint(Draw&& draw);

    struct PenState {
        std::uint32_t lColor;
        int iWidth;
        DrawStyle style;
        bool operator==(const PenState&) const = default;
    };
    PenState CurrentPen() const;
    static QPen LinePen(const PenState& state);
    // The font text is drawn in, made again only when Font changes.
    struct TextFont {
        QFont requested;
        QFont font;
        QFontMetrics metrics;
        int iGeneration;
        // The font's stamps, looked up the first time a batch wants them;
        // null when its labels cannot be stamped.
        std::optional<GlyphStamps*> stamps;
    };
    TextFont& CurrentTextFont();
    GlyphStamps* StampsFor(TextFont& textFont);
    // Sets the batch painter's pen (and font, for text) unless it has them.
    void UseBatchPen(const PenState& state);

    // The last line and text drawn on the image, kept while everything drawn
    // since has been of one colour. Drawing either again in that colour
    // could not change a pixel, so it is left out; the axes of a view with
    // thousands of divisions repeat most of their marks and labels.
    // Places are whole pixels of the surface drawn on, or for a vector
    // document its exact coordinates: there two lines or labels a fraction
    // apart are both seen, so only an exact repeat is left out.
    struct LineRecord {
        double x1, y1, x2, y2;
        PenState pen;
        bool operator==(const LineRecord&) const = default;
    };
    struct TextRecord {
        QString strText;
        double x, y;
        int iFontGeneration;
        bool operator==(const TextRecord&) const = default;
    };
    struct Records {
        std::optional<LineRecord> line;
        std::optional<TextRecord> text;
        std::uint32_t lColor = 0; // the colour of everything drawn since

        // Notes a drawing in this colour; true when the records still hold.
        bool Keep(std::uint32_t lDrawnColor, bool bPlain);
        void Forget();
    };
    struct MirrorSurface {
        QPainter* pPainter;
        bool bPixels; // the painter draws on pixels, not on a vector document
        QPolygonF pendingLine; // the polyline drawn so far, not yet painted
        PenState pendingPen{};
        // Where the last line added to the polyline ended. In a vector
        // document a point closer than a tenth of a pixel to the last one
        // kept is left out of the polyline, so a drawing grows with what
        // can be seen, not with the samples; the line still ends here.
        QPointF pendingEnd;
        // As on the image, with places in whole pixels of the mirror's
        // surface, where a repeat that close makes no visible change; in a
        // vector document, with exact places.
        Records records;
        QPointF Place(const QPointF& point) const;
    };
    // Notes that the image is drawn on in this colour; true when that keeps
    // the records.
    bool KeepRecords(std::uint32_t lColor);
    // Draws the glyphs that labels left waiting, in the colour of the records.
    void DrawStamps();

    void MirrorLine(double dX1, double dY1, double dX2, double dY2);
    void Flush(MirrorSurface& mirror);
    // Runs draw with the painter of every mirror, after their pending lines.
    template <typename Draw>
    void PaintMirrors(Draw&& draw);

    QImage& m_image;
    const bool m_bPlain; // drawn the plain way
    std::unique_ptr<QPainter> m_pBatchPainter;
    std::optional<PenState> m_batchPenState; // the attributes of the batch painter's pen
    int m_iBatchFontGeneration = -1;          // the text font the batch painter has
    std::optional<TextFont> m_textFont;
    // The stamps of each font that labels were drawn in, made once.
    std::vector<std::pair<QFont, std::unique_ptr<GlyphStamps>>> m_stamps;
    GlyphStamps* m_pWaitingStamps = nullptr; // stamps with glyphs not yet drawn
    Records m_records;
    std::vector<MirrorSurface> m_mirrors;
};

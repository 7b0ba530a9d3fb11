#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QStringView>

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_set>

class QPaintDevice;
class QPainter;

// Short texts of digits and signs, such as axis labels, drawn glyph by glyph:
// each glyph at each place once, however many texts put it there. Texts
// drawn in one colour without antialiasing add up to the glyphs they are
// made of, so thousands of overlapping labels cost a few thousand glyphs.
class GlyphStamps {
public:
    // The layout of such texts in the font on the device: each character's glyph, and how
    // far it moves the next one (its advance with the pair's kerning),
    // checked against the text engine's own layout of longer texts. Null when the font lays them out in some
    // other way, or lacks a glyph.
    static std::unique_ptr<GlyphStamps> ForFont(const QFont& font, const QPaintDevice* pDevice);

    // Adds the glyphs of the text drawn with its baseline starting at the
    // point; false, adding nothing, when the text has other characters or
    // lies too far out.
    bool Add(QStringView strText, QPoint baseline);

    // Draws every glyph added, in the painter's pen colour, and forgets
    // them.
    void Draw(QPainter& painter);

private:
    GlyphStamps() = default;
    static constexpr int kCharacters = 15;
    // The index of the character in the set, or -1.
    static int IndexOf(QChar ch);

    QRawFont m_font;
    std::array<quint32, kCharacters> m_glyph{};
    std::array<std::array<double, kCharacters>, kCharacters> m_step{};
    std::unordered_set<std::uint64_t> m_placed;
    QList<quint32> m_glyphs;
    QList<QPointF> m_positions;
};

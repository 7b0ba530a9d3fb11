#include "GlyphStamps.h"

#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace {

// The characters of number labels.
constexpr char16_t kCharacterSet[] = u" -+.0123456789E";

// Glyph places in 1/64 pixel (the text engine's unit), within this many
// pixels of the origin, fit the key of a placed glyph.
constexpr double kReach = 16000.0;

// The x position of each glyph as the text engine lays the text out.
QList<double> LaidOut(const QString& strText, const QFont& font)
{
    QTextLayout layout(strText, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QList<double> positions;
    for (const QGlyphRun& run : layout.glyphRuns())
        for (const QPointF& position : run.positions())
            positions.append(position.x());
    return positions;
}

} // namespace

int GlyphStamps::IndexOf(QChar ch)
{
    for (int i = 0; i < kCharacters; ++i)
        if (kCharacterSet[i] == ch.unicode())
            return i;
    return -1;
}

std::unique_ptr<GlyphStamps> GlyphStamps::ForFont(const QFont& requested, const QPaintDevice* pDevice)
{
    // The font at the resolution of the surface, as a painter on it has it.
    const QFont font(requested, pDevice);
    std::unique_ptr<GlyphStamps> stamps(new GlyphStamps);
    stamps->m_font = QRawFont::fromFont(font);
    if (!stamps->m_font.isValid())
        return nullptr;
    const QString strSet = QString::fromUtf16(kCharacterSet, kCharacters);
    const QList<quint32> glyphs = stamps->m_font.glyphIndexesForString(strSet);
    if (glyphs.size() != kCharacters)
        return nullptr;
    for (int i = 0; i < kCharacters; ++i) {
        if (glyphs[i] == 0)
            return nullptr;
        stamps->m_glyph[i] = glyphs[i];
    }
    // How far each character's glyph moves the next one (its advance with
    // the pair's kerning), read off the text engine's layout of one text that
    // holds every pair of the set. A pair met twice must move alike, and
    // longer probes must come out where the engine puts them.
    QString strPairs;
    for (int i = 0; i < kCharacters; ++i)
        for (int j = 0; j < kCharacters; ++j)
            strPairs += strSet.mid(i, 1) + strSet.mid(j, 1);
    std::array<std::array<bool, kCharacters>, kCharacters> known{};
    for (const QString& strText : {strPairs, strSet, QStringLiteral("-10.125E+15 9.8"), QStringLiteral(" .333-.667")}) {
        const QList<double> positions = LaidOut(strText, font);
        if (positions.size() != strText.size() || positions[0] != 0.0)
            return nullptr;
        for (qsizetype k = 1; k < strText.size(); ++k) {
            const int iPrevious = IndexOf(strText[k - 1]), iThis = IndexOf(strText[k]);
            const double dStep = positions[k] - positions[k - 1];
            if (!known[iPrevious][iThis]) {
                known[iPrevious][iThis] = true;
                stamps->m_step[iPrevious][iThis] = dStep;
            } else if (stamps->m_step[iPrevious][iThis] != dStep) {
                return nullptr;
            }
        }
    }
    return stamps;
}

bool GlyphStamps::Add(QStringView strText, QPoint baseline)
{
    if (std::abs(baseline.x()) > kReach / 2 || std::abs(baseline.y()) > kReach / 2)
        return false;
    std::array<int, 64> indexes;
    if (strText.size() > qsizetype(indexes.size()))
        return false;
    for (qsizetype k = 0; k < strText.size(); ++k)
        if ((indexes[k] = IndexOf(strText[k])) < 0)
            return false;
    double dX = baseline.x();
    for (qsizetype k = 0; k < strText.size(); ++k) {
        if (k > 0)
            dX += m_step[indexes[k - 1]][indexes[k]];
        if (std::abs(dX) > kReach)
            continue;
        const auto x64 = static_cast<std::uint64_t>(std::llround((dX + kReach) * 64));
        const auto y64 = static_cast<std::uint64_t>(std::llround((baseline.y() + kReach) * 64));
        const std::uint64_t key = (std::uint64_t(indexes[k]) << 42) | (x64 << 21) | y64;
        if (m_placed.insert(key).second) {
            m_glyphs.append(m_glyph[indexes[k]]);
            m_positions.append(QPointF(dX, baseline.y()));
        }
    }
    return true;
}

void GlyphStamps::Draw(QPainter& painter)
{
    if (m_glyphs.isEmpty())
        return;
    QGlyphRun run;
    run.setRawFont(m_font);
    run.setGlyphIndexes(m_glyphs);
    run.setPositions(m_positions);
    painter.drawGlyphRun(QPointF(0, 0), run);
    m_glyphs.clear();
    m_positions.clear();
    m_placed.clear();
}

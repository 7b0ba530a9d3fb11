#include "SampleFile.h"

#include "clsMath.h"

#include <QFile>
#include <QStringDecoder>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsFieldEnd(char c)
{
    return c == ',' || c == '\r' || c == '\n';
}

// Moves past the delimiter at iPos, if any: a comma, CR, LF or CR LF.
std::size_t SkipDelimiter(std::string_view bytes, std::size_t iPos)
{
    if (iPos >= bytes.size())
        return iPos;
    if (bytes[iPos] == '\r' && iPos + 1 < bytes.size() && bytes[iPos + 1] == '\n')
        return iPos + 2;
    return iPos + 1;
}

QString DecodeSample(const std::string& strBytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString strText = utf8(QByteArrayView(strBytes.data(), static_cast<qsizetype>(strBytes.size())));
    if (!utf8.hasError())
        return strText;
    return QString::fromLatin1(strBytes.data(), static_cast<qsizetype>(strBytes.size()));
}

} // namespace

std::vector<std::string> ParseSampleFields(std::string_view bytes, bool bComplete)
{
    std::vector<std::string> fields;
    std::size_t iPos = 0;
    // Each round reads one field; the end test follows the read, so an empty
    // file gives nothing and a final line break adds no empty field.
    while (iPos < bytes.size() && fields.size() < kMaxSamples) {
        while (iPos < bytes.size() && IsBlank(bytes[iPos]))
            ++iPos;

        std::string_view field;
        bool bEnded = true; // the field stopped at a delimiter, not at the end of what was read
        if (iPos < bytes.size() && bytes[iPos] == '"') {
            const std::size_t iStart = iPos + 1;
            const std::size_t iQuote = bytes.find('"', iStart);
            if (iQuote == std::string_view::npos) {
                field = bytes.substr(iStart);
                iPos = bytes.size();
                bEnded = false;
            } else {
                field = bytes.substr(iStart, iQuote - iStart);
                // Anything between the closing quote and the delimiter is dropped.
                iPos = iQuote + 1;
                while (iPos < bytes.size() && !IsFieldEnd(bytes[iPos]))
                    ++iPos;
            }
        } else {
            const std::size_t iStart = iPos;
            while (iPos < bytes.size() && !IsFieldEnd(bytes[iPos]))
                ++iPos;
            bEnded = iPos < bytes.size();
            std::size_t iEnd = iPos;
            while (iEnd > iStart && IsBlank(bytes[iEnd - 1]))
                --iEnd;
            field = bytes.substr(iStart, iEnd - iStart);
        }
        if (!bEnded && !bComplete)
            break;
        if (field.size() <= kMaxEntryLength)
            fields.emplace_back(field);
        iPos = SkipDelimiter(bytes, iPos);
    }
    return fields;
}

QStringList LoadSamples(const QString& strPath)
{
    QStringList samples;
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return samples;

    std::string bytes;
    bool bComplete = true;
    char buffer[65536];
    for (;;) {
        const qint64 iRead = file.read(buffer, sizeof buffer);
        if (iRead < 0) {
            bComplete = false;
            break;
        }
        if (iRead == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(iRead));
        if (bytes.size() > kMaxSampleFileBytes) {
            bytes.resize(kMaxSampleFileBytes);
            bComplete = false;
            break;
        }
    }
    file.close();

    for (const std::string& field : ParseSampleFields(bytes, bComplete)) {
        const QString strSample = DecodeSample(field);
        // Read as Latin-1, a byte may take two in UTF-8.
        if (static_cast<std::size_t>(strSample.toUtf8().size()) <= kMaxEntryLength)
            samples.append(strSample);
    }
    return samples;
}

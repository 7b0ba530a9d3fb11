// The samples file: any bytes written to a file and read back as the list
// of samples, whole and cut short.
#include "SampleFile.h"
#include "clsMath.h"

#include <QFile>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <unistd.h>

namespace {

// The file each input is written to, made once and removed when the run
// ends, so no run leaves a file behind.
char g_scratchName[] = "/tmp/velmora-fuzz-samples-XXXXXX";

QString ScratchFile()
{
    static const QString strPath = [] {
        const int fd = mkstemp(g_scratchName);
        if (fd < 0)
            std::abort();
        close(fd);
        std::atexit([] { unlink(g_scratchName); });
        return QString::fromLocal8Bit(g_scratchName);
    }();
    return strPath;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> whole = ParseSampleFields(bytes, true);
    const std::vector<std::string> cut = ParseSampleFields(bytes, false);
    if (whole.size() > kMaxSamples || cut.size() > whole.size())
        std::abort();
    // No sample is longer than an entry of the list may be.
    for (const std::string& field : whole)
        if (field.size() > kMaxEntryLength)
            std::abort();

    QFile file(ScratchFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    file.close();

    // Every field becomes at most one sample, decoded one way or the other;
    // read as Latin-1 a field may grow past the longest entry and is left
    // out, but a field of plain ASCII is always kept.
    const QStringList samples = LoadSamples(file.fileName());
    const auto ascii = std::count_if(whole.begin(), whole.end(), [](const std::string& field) {
        return std::all_of(field.begin(), field.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    });
    if (static_cast<std::size_t>(samples.size()) > whole.size() || samples.size() < ascii)
        std::abort();
    return 0;
}

// The samples file: any bytes written to a file and read back as the list
// of samples, whole and cut short.
#include "SampleFile.h"
#include "clsMath.h"

#include <QFile>

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <unistd.h>

namespace {

QString ScratchFile()
{
    static const QString strPath = [] {
        char name[] = "/tmp/velmora-fuzz-samples-XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0)
            std::abort();
        close(fd);
        return QString::fromLocal8Bit(name);
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

    // Every field becomes one sample, decoded one way or the other.
    const QStringList samples = LoadSamples(file.fileName());
    if (static_cast<std::size_t>(samples.size()) != whole.size())
        std::abort();
    return 0;
}

// A session file: any bytes read as a session. Either a session comes back
// whose every expression the list would take and whose view can be drawn,
// and which reads back the same once written; or a reason, never an empty
// one.
#include "EntryPreparation.h"
#include "SessionFile.h"
#include "ViewEntries.h"

#include <cstdint>
#include <cstdlib>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > static_cast<std::size_t>(kMaxSessionBytes))
        return 0;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::variant<Session, QString> read = ReadSession(bytes);
    if (const QString* pstrReason = std::get_if<QString>(&read)) {
        if (pstrReason->isEmpty())
            std::abort();
        return 0;
    }
    const Session& session = std::get<Session>(read);
    for (const QString& strEntry : session.entries)
        if (!IsBlankEntry(strEntry) && ListEntryRefusal(strEntry))
            std::abort();
    const ViewSettings& view = session.view;
    if (!DrawableRange(view.dOriginX - view.dScaleX, view.dOriginX + view.dScaleX) || view.iDivisionsX < 1
        || view.iDivisionsY < 1 || view.iPolarSensitivity < 1)
        std::abort();
    const std::variant<Session, QString> again = ReadSession(SessionJson(session));
    if (!std::holds_alternative<Session>(again) || !(std::get<Session>(again) == session))
        std::abort();
    return 0;
}

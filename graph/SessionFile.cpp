#include "SessionFile.h"

#include "EntryPreparation.h"
#include "ViewEntries.h"
#include "WholeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>
#include <optional>
#include <tuple>

namespace {

const QString kFormat = QStringLiteral("velmora-session");

QString Translated(const char* pszText)
{
    return QCoreApplication::translate("SessionFile", pszText);
}

QJsonObject AxisJson(double dOrigin, double dScale, int iDivisions)
{
    return {{QStringLiteral("centre"), dOrigin},
            {QStringLiteral("halfRange"), dScale},
            {QStringLiteral("divisions"), iDivisions}};
}

// Reads the fields of a session, each by its path ("view.x.divisions"),
// and keeps the first refusal.
class Reader {
public:
    std::optional<QString> strRefusal;

    QJsonObject Object(const QJsonObject& object, const QString& strName, const QString& strPath)
    {
        const QJsonValue value = object.value(strName);
        if (value.isUndefined())
            return {};
        if (!value.isObject())
            Refuse(strPath, Translated("a group of fields"));
        return value.toObject();
    }

    double Number(const QJsonObject& object, const QString& strName, const QString& strPath, double dDefault)
    {
        const QJsonValue value = object.value(strName);
        if (value.isUndefined())
            return dDefault;
        if (!value.isDouble() || !std::isfinite(value.toDouble()))
            Refuse(strPath, Translated("a number"));
        return value.toDouble(dDefault);
    }

    std::int16_t Whole(const QJsonObject& object, const QString& strName, const QString& strPath, std::int16_t iDefault)
    {
        const double dValue = Number(object, strName, strPath, iDefault);
        if (!(dValue >= 1 && dValue <= std::numeric_limits<std::int16_t>::max() && dValue == std::floor(dValue))) {
            Refuse(strPath, Translated("a whole number from 1 to 32767"));
            return iDefault;
        }
        return static_cast<std::int16_t>(dValue);
    }

    bool Boolean(const QJsonObject& object, const QString& strName, const QString& strPath, bool bDefault)
    {
        const QJsonValue value = object.value(strName);
        if (value.isUndefined())
            return bDefault;
        if (!value.isBool())
            Refuse(strPath, Translated("true or false"));
        return value.toBool(bDefault);
    }

    void Refuse(const QString& strPath, const QString& strWanted)
    {
        if (!strRefusal)
            strRefusal = Translated("its field \"%1\" is not %2").arg(strPath, strWanted);
    }
};

void ReadAxis(Reader& reader, const QJsonObject& view, const QString& strAxis, double& dOrigin, double& dScale,
              std::int16_t& iDivisions)
{
    const QJsonObject axis = reader.Object(view, strAxis, QStringLiteral("view.") + strAxis);
    const QString strPath = QStringLiteral("view.%1.").arg(strAxis);
    dOrigin = reader.Number(axis, QStringLiteral("centre"), strPath + QStringLiteral("centre"), dOrigin);
    dScale = reader.Number(axis, QStringLiteral("halfRange"), strPath + QStringLiteral("halfRange"), dScale);
    iDivisions = reader.Whole(axis, QStringLiteral("divisions"), strPath + QStringLiteral("divisions"), iDivisions);
    if (!reader.strRefusal && !DrawableRange(dOrigin - dScale, dOrigin + dScale))
        reader.strRefusal = Translated("its %1 range is too small or too large to draw").arg(strAxis);
}

// Why the list cannot hold the expressions, if it cannot.
std::optional<QString> EntriesRefusal(const QStringList& entries)
{
    if (ListFullRefusal(static_cast<int>(std::min<qsizetype>(entries.size() - 1, std::numeric_limits<int>::max()))))
        return Translated("it holds more expressions than the list can take (32,767)");
    for (const QString& strEntry : entries) {
        if (IsBlankEntry(strEntry))
            continue;
        if (const std::optional<QString> strRefusal = ListEntryRefusal(strEntry))
            return Translated("its expression \"%1\" is refused: %2").arg(strEntry.left(60), *strRefusal);
    }
    return std::nullopt;
}

} // namespace

bool operator==(const Session& a, const Session& b)
{
    const auto key = [](const Session& s) {
        const ViewSettings& v = s.view;
        return std::tuple(v.dScaleX, v.dScaleY, v.dOriginX, v.dOriginY, v.iDivisionsX, v.iDivisionsY, v.bGrids,
                          v.iPolarSensitivity, v.bOptimize, s.bPolar);
    };
    return a.entries == b.entries && key(a) == key(b);
}

QByteArray SessionJson(const Session& session)
{
    const ViewSettings& v = session.view;
    const QJsonObject view{{QStringLiteral("x"), AxisJson(v.dOriginX, v.dScaleX, v.iDivisionsX)},
                           {QStringLiteral("y"), AxisJson(v.dOriginY, v.dScaleY, v.iDivisionsY)},
                           {QStringLiteral("polarSensitivity"), v.iPolarSensitivity},
                           {QStringLiteral("grid"), v.bGrids}};
    const QJsonObject rest{{QStringLiteral("expressions"), QJsonArray::fromStringList(session.entries)},
                           {QStringLiteral("mode"),
                            session.bPolar ? QStringLiteral("polar") : QStringLiteral("rectangular")},
                           {QStringLiteral("optimize"), v.bOptimize},
                           {QStringLiteral("view"), view}};
    // The format and the version first, where a person and a file type
    // detector look; the rest in the order of their names.
    QByteArray json = QJsonDocument(rest).toJson(QJsonDocument::Indented);
    json.replace(0, 2,
                 QStringLiteral("{\n    \"format\": \"%1\",\n    \"version\": %2,\n")
                     .arg(kFormat)
                     .arg(kSessionVersion)
                     .toUtf8());
    return json;
}

std::variant<Session, QString> ReadSession(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return Translated("it is not a Velmora session (it is not JSON: %1 at byte %2)")
            .arg(error.errorString())
            .arg(error.offset);
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(QStringLiteral("format")).toString() != kFormat)
        return Translated("it is not a Velmora session");
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() < 1 || version.toDouble() != std::floor(version.toDouble()))
        return Translated("it is not a Velmora session (it has no version)");
    if (version.toDouble() > kSessionVersion)
        return Translated("it was written by a newer version of Velmora (session version %1; this one reads up to %2)")
            .arg(version.toDouble())
            .arg(kSessionVersion);

    Reader reader;
    Session session;
    const QJsonValue expressions = root.value(QStringLiteral("expressions"));
    if (!expressions.isUndefined() && !expressions.isArray())
        reader.Refuse(QStringLiteral("expressions"), Translated("a list of texts"));
    for (const QJsonValue& entry : expressions.toArray()) {
        if (!entry.isString()) {
            reader.Refuse(QStringLiteral("expressions"), Translated("a list of texts"));
            break;
        }
        session.entries.append(entry.toString());
    }
    const QJsonValue mode = root.value(QStringLiteral("mode"));
    session.bPolar = mode.toString() == QLatin1String("polar");
    if (!mode.isUndefined() && !session.bPolar && mode.toString() != QLatin1String("rectangular"))
        reader.Refuse(QStringLiteral("mode"), Translated("\"rectangular\" or \"polar\""));
    ViewSettings& v = session.view;
    v.bOptimize = reader.Boolean(root, QStringLiteral("optimize"), QStringLiteral("optimize"), true);
    const QJsonObject view = reader.Object(root, QStringLiteral("view"), QStringLiteral("view"));
    ReadAxis(reader, view, QStringLiteral("x"), v.dOriginX, v.dScaleX, v.iDivisionsX);
    ReadAxis(reader, view, QStringLiteral("y"), v.dOriginY, v.dScaleY, v.iDivisionsY);
    v.iPolarSensitivity = reader.Whole(view, QStringLiteral("polarSensitivity"),
                                       QStringLiteral("view.polarSensitivity"), v.iPolarSensitivity);
    v.bGrids = reader.Boolean(view, QStringLiteral("grid"), QStringLiteral("view.grid"), false);
    if (reader.strRefusal)
        return *reader.strRefusal;
    if (const std::optional<QString> strRefusal = EntriesRefusal(session.entries))
        return *strRefusal;
    return session;
}

std::variant<Session, QString> OpenSessionFile(const QString& strFile)
{
    const auto refused = [&strFile](const QString& strReason) {
        return Translated("The session \"%1\" cannot be opened: %2.").arg(QDir::toNativeSeparators(strFile), strReason);
    };
    QFile file(strFile);
    if (!file.open(QIODevice::ReadOnly))
        return refused(file.errorString());
    if (file.size() > kMaxSessionBytes)
        return refused(Translated("it is larger than 16 MB"));
    const QByteArray bytes = file.read(kMaxSessionBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return refused(file.errorString());
    if (bytes.size() > kMaxSessionBytes)
        return refused(Translated("it is larger than 16 MB"));
    std::variant<Session, QString> session = ReadSession(bytes);
    if (const QString* pstrReason = std::get_if<QString>(&session))
        return refused(*pstrReason);
    return session;
}

bool SaveSessionFile(const QString& strFile, const Session& session, QString* pstrMessage)
{
    QString strReason;
    if (WriteWholeFile(strFile, SessionJson(session), &strReason))
        return true;
    if (pstrMessage)
        *pstrMessage = Translated("The session could not be saved as \"%1\": %2")
                           .arg(QDir::toNativeSeparators(strFile), strReason);
    return false;
}

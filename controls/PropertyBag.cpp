#include "PropertyBag.h"

#include <QMetaType>

namespace {

// Booleans are kept as the 16-bit values -1 (true) and 0 (false).
QVariant Stored(const QVariant& vValue)
{
    if (vValue.typeId() == QMetaType::Bool)
        return QVariant::fromValue<qint16>(vValue.toBool() ? -1 : 0);
    return vValue;
}

} // namespace

qsizetype PropertyBag::IndexOf(const QString& strName) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].first.compare(strName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant PropertyBag::ReadProperty(const QString& strName, const QVariant& vDefault) const
{
    const qsizetype i = IndexOf(strName);
    return i < 0 ? vDefault : m_entries[i].second;
}

void PropertyBag::WriteProperty(const QString& strName, const QVariant& vValue, const QVariant& vDefault)
{
    const QVariant vStored = Stored(vValue);
    const qsizetype i = IndexOf(strName);
    if (vDefault.isValid() && vStored == Stored(vDefault)) {
        if (i >= 0)
            m_entries.removeAt(i);
        return;
    }
    if (i >= 0)
        m_entries[i].second = vStored;
    else
        m_entries.append({strName, vStored});
}

QStringList PropertyBag::Names() const
{
    QStringList names;
    for (const auto& entry : m_entries)
        names.append(entry.first);
    return names;
}

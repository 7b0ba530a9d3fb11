#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <utility>

// The store in which a window keeps the properties of the controls it holds:
// typed values under names that are looked up without regard to case.
// Values equal to their default are left out when written, and true is
// written as -1 (all bits set), the value the layout files hold for true.
class PropertyBag {
public:
    // The stored value, or vDefault when the name is not in the store.
    QVariant ReadProperty(const QString& strName, const QVariant& vDefault = QVariant()) const;
    void WriteProperty(const QString& strName, const QVariant& vValue, const QVariant& vDefault = QVariant());

    // The stored names in the order they were first written.
    QStringList Names() const;

private:
    qsizetype IndexOf(const QString& strName) const;

    QList<std::pair<QString, QVariant>> m_entries;
};

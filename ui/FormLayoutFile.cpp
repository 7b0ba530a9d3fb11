#include "FormLayoutFile.h"

#include "Twips.h"

#include <QFile>
#include <QFont>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

// Sizes are kept in hundredths of a millimetre; 1440 twips make 25.4 mm.
int TwipsFromExtent(double dExtent)
{
    return static_cast<int>(std::lround(dExtent * 1440.0 / 2540.0));
}

QVariant PropertyValue(const QJsonValue& value)
{
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        QFont font(object.value(QLatin1String("name")).toString());
        font.setPointSizeF(object.value(QLatin1String("size")).toDouble(8.25));
        font.setBold(object.value(QLatin1String("bold")).toBool());
        return font;
    }
    if (value.isDouble()) {
        // Colours fill all 32 bits; other numbers are small.
        const double dValue = value.toDouble();
        if (dValue >= 0 && dValue <= 4294967295.0 && dValue == std::floor(dValue))
            return QVariant::fromValue(static_cast<quint32>(dValue));
        return dValue;
    }
    return value.toVariant();
}

LayoutInstance ReadInstance(const QString& strName, const QJsonObject& object)
{
    LayoutInstance instance;
    instance.strName = strName;
    instance.iIndex = object.value(QLatin1String("index")).toInt();
    const int iLeft = object.value(QLatin1String("left")).toInt();
    const int iTop = object.value(QLatin1String("top")).toInt();
    const int iWidth = TwipsFromExtent(object.value(QLatin1String("_extentx")).toDouble());
    const int iHeight = TwipsFromExtent(object.value(QLatin1String("_extenty")).toDouble());
    instance.rect = TwipsRect(iLeft, iTop, iWidth, iHeight);
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key() != QLatin1String("index") && it.key() != QLatin1String("left") && it.key() != QLatin1String("top"))
            instance.properties.WriteProperty(it.key(), PropertyValue(it.value()));
    }
    return instance;
}

} // namespace

QList<LayoutInstance> ReadFormLayout(const QString& strPath)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    QList<LayoutInstance> instances;
    for (auto it = root.begin(); it != root.end(); ++it) {
        for (const QJsonValue& value : it.value().toArray())
            instances.append(ReadInstance(it.key(), value.toObject()));
    }
    return instances;
}

#include "FontSetup.h"

#include <QFont>
#include <QStringList>

void RegisterFontSubstitutions()
{
    const QStringList fallbacks{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("Arial"), fallbacks);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), fallbacks);
}

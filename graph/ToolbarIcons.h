#pragma once

#include <QIcon>
#include <QString>

// The picture of the graph window's toolbar button with the given key; a
// null icon for a key that is not one of them.
QIcon ToolbarIcon(const QString& strKey);

#pragma once

#include <QString>

// Where the program and its author can be found; shown in the About box and
// printed under the graph.
inline QString AuthorWebAddress()
{
    return QStringLiteral("https://velmora.example.org");
}

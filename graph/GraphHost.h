#pragma once

#include <QStringList>

// What the graph window needs from the program around it: the expressions
// to plot, in list order.
class GraphHost {
public:
    virtual ~GraphHost() = default;
    virtual QStringList Expressions() const = 0;
};

#pragma once

#include <QStringList>

#include <functional>

class QWidget;

// What the graph window needs from the program around it: the expressions
// to plot, in list order, and the windows it opens over itself. Each of
// those is shown modally; afterClose runs once it has closed. A host that
// has no such window shows nothing.
class GraphHost {
public:
    virtual ~GraphHost() = default;
    virtual QStringList Expressions() const = 0;

    // The stored view settings, for editing.
    virtual void ShowPreferences(QWidget* /*pOpener*/, const std::function<void()>& /*afterClose*/) {}
    // Every expression evaluated at one value of x.
    virtual void ShowComparison(QWidget* /*pOpener*/) {}
    virtual void ShowAbout(QWidget* /*pOpener*/) {}
};

// A host with a fixed list of expressions and no windows to open: a graph of
// a list that no main window holds.
class ListHost : public GraphHost {
public:
    QStringList entries;
    QStringList Expressions() const override { return entries; }
};

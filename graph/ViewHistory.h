#pragma once

#include "GraphView.h"

#include <optional>
#include <vector>

// The views a graph window has shown, to step back and forth through: each
// change of the view leaves the view before it to undo; an undo leaves the
// view it left to redo, until the next change.
class ViewHistory {
public:
    // A change from one view to the next; nothing when the two show the same.
    void Record(const GraphView& before, const GraphView& after);
    // The view to go back (or forth) to from the current one, if any.
    std::optional<GraphView> Undo(const GraphView& current);
    std::optional<GraphView> Redo(const GraphView& current);
    bool CanUndo() const { return !m_past.empty(); }
    bool CanRedo() const { return !m_future.empty(); }

private:
    std::vector<GraphView> m_past;
    std::vector<GraphView> m_future;
};

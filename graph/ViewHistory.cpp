#include "ViewHistory.h"

namespace {

// Whether two views show the same; how the next plot grows does not count.
bool SameView(GraphView a, GraphView b)
{
    a.bAnimate = b.bAnimate = false;
    return a == b;
}

std::optional<GraphView> Step(std::vector<GraphView>& from, std::vector<GraphView>& to, const GraphView& current)
{
    if (from.empty())
        return std::nullopt;
    GraphView view = from.back();
    from.pop_back();
    to.push_back(current);
    view.bAnimate = false;
    return view;
}

} // namespace

void ViewHistory::Record(const GraphView& before, const GraphView& after)
{
    if (SameView(before, after))
        return;
    m_past.push_back(before);
    m_future.clear();
}

std::optional<GraphView> ViewHistory::Undo(const GraphView& current)
{
    return Step(m_past, m_future, current);
}

std::optional<GraphView> ViewHistory::Redo(const GraphView& current)
{
    return Step(m_future, m_past, current);
}

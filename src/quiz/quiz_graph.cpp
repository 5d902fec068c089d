// Components, reachability and path lengths of a quiz graph.
#include "quiz/quiz_graph.h"

#include <algorithm>
#include <deque>
#include <limits>

namespace
{

constexpr size_t NONE = std::numeric_limits<size_t>::max();

// Tarjan's algorithm with an explicit stack. Components come out sinks
// first (reverse topological order), which lets "can end" be settled as
// each one is closed: every component it leads to is already known.
class ComponentFinder
{
public:
    ComponentFinder(const QuizGraph& graph, GraphFacts& facts)
        : m_graph(graph), m_facts(facts), m_index(graph.Size(), NONE), m_low(graph.Size()),
          m_onStack(graph.Size(), false)
    {
        m_facts.component.assign(graph.Size(), NONE);
        m_facts.memberBegin.push_back(0);
    }

    void Run()
    {
        for (size_t node = 0; node < m_graph.Size(); ++node)
            if (m_index[node] == NONE)
                Explore(node);
    }

private:
    struct Frame
    {
        size_t node;
        const size_t* next;  // next edge to follow
    };

    void Visit(size_t node)
    {
        m_index[node] = m_low[node] = m_counter++;
        m_stack.push_back(node);
        m_onStack[node] = true;
        m_calls.push_back(Frame{node, m_graph.EdgesBegin(node)});
    }

    void Explore(size_t root)
    {
        Visit(root);
        while (!m_calls.empty())
        {
            Frame& frame = m_calls.back();
            if (frame.next != m_graph.EdgesEnd(frame.node))
            {
                const size_t to = *frame.next++;
                if (m_index[to] == NONE)
                    Visit(to);  // invalidates `frame`
                else if (m_onStack[to])
                    m_low[frame.node] = std::min(m_low[frame.node], m_index[to]);
                continue;
            }
            const size_t node = frame.node;
            m_calls.pop_back();
            if (!m_calls.empty())
                m_low[m_calls.back().node] = std::min(m_low[m_calls.back().node], m_low[node]);
            if (m_low[node] == m_index[node])
                CloseComponent(node);
        }
    }

    void CloseComponent(size_t head)
    {
        const size_t id = m_facts.cyclic.size();
        const size_t first = m_facts.members.size();
        size_t member;
        do
        {
            member = m_stack.back();
            m_stack.pop_back();
            m_onStack[member] = false;
            m_facts.component[member] = id;
            m_facts.members.push_back(member);
        } while (member != head);
        m_facts.memberBegin.push_back(m_facts.members.size());

        bool cyclic = m_facts.members.size() - first > 1;
        bool canEnd = false;
        for (size_t i = first; i < m_facts.members.size(); ++i)
        {
            const size_t node = m_facts.members[i];
            canEnd = canEnd || m_graph.Ends(node);
            for (const size_t* to = m_graph.EdgesBegin(node); to != m_graph.EdgesEnd(node); ++to)
            {
                cyclic = cyclic || *to == node;
                // Edges inside the component are still unsettled; the rest are done.
                canEnd = canEnd || (m_facts.component[*to] != id && m_facts.canEnd[*to]);
            }
        }
        m_facts.cyclic.push_back(cyclic);
        for (size_t i = first; i < m_facts.members.size(); ++i)
            m_facts.canEnd[m_facts.members[i]] = canEnd;
    }

    const QuizGraph& m_graph;
    GraphFacts& m_facts;
    std::vector<size_t> m_index;
    std::vector<size_t> m_low;
    std::vector<bool> m_onStack;
    std::vector<size_t> m_stack;
    std::vector<Frame> m_calls;
    size_t m_counter = 0;
};

// Breadth-first from the entry: marks what is reachable and finds the
// fewest questions answered before an end.
void FindReachable(const QuizGraph& graph, size_t entry, GraphFacts& facts)
{
    std::vector<size_t> depth(graph.Size(), 0);
    std::deque<size_t> queue{entry};
    facts.reachable[entry] = true;
    depth[entry] = 1;
    while (!queue.empty())
    {
        const size_t node = queue.front();
        queue.pop_front();
        if (graph.Ends(node) && !facts.shortest)
            facts.shortest = depth[node];
        for (const size_t* to = graph.EdgesBegin(node); to != graph.EdgesEnd(node); ++to)
        {
            if (facts.reachable[*to])
                continue;
            facts.reachable[*to] = true;
            depth[*to] = depth[node] + 1;
            queue.push_back(*to);
        }
    }
}

// The longest way to an end, over reachable questions that can end. Without
// a loop among them each is its own component, and components come sinks
// first, so every successor's length is known when a node is reached.
void FindLongest(const QuizGraph& graph, size_t entry, GraphFacts& facts)
{
    for (size_t node = 0; node < graph.Size(); ++node)
        if (facts.reachable[node] && facts.canEnd[node] && facts.InLoop(node))
            facts.unbounded = true;
    if (facts.unbounded || !facts.canEnd[entry])
        return;
    std::vector<size_t> longest(graph.Size(), 0);  // 0: cannot end
    for (const size_t node : facts.members)
    {
        if (!facts.reachable[node] || !facts.canEnd[node])
            continue;
        size_t best = graph.Ends(node) ? 1 : 0;
        for (const size_t* to = graph.EdgesBegin(node); to != graph.EdgesEnd(node); ++to)
            if (longest[*to] > 0)
                best = std::max(best, longest[*to] + 1);
        longest[node] = best;
    }
    facts.longest = longest[entry];
}

} // namespace

QuizGraph::QuizGraph(size_t nodes)
    : m_firstEdge(1, 0), m_ends(nodes, false)
{
    m_firstEdge.reserve(nodes + 1);
}

void QuizGraph::CloseNodesUpTo(size_t node)
{
    while (m_firstEdge.size() <= node + 1)
        m_firstEdge.push_back(m_targets.size());
}

void QuizGraph::AddEdge(size_t from, size_t to)
{
    CloseNodesUpTo(from);
    m_targets.push_back(to);
    m_firstEdge[from + 1] = m_targets.size();
}

const size_t* QuizGraph::EdgesBegin(size_t node) const
{
    return node + 1 < m_firstEdge.size() ? m_targets.data() + m_firstEdge[node] : nullptr;
}

const size_t* QuizGraph::EdgesEnd(size_t node) const
{
    return node + 1 < m_firstEdge.size() ? m_targets.data() + m_firstEdge[node + 1] : nullptr;
}

GraphFacts AnalyseGraph(const QuizGraph& graph, std::optional<size_t> entry)
{
    GraphFacts facts;
    facts.reachable.assign(graph.Size(), false);
    facts.canEnd.assign(graph.Size(), false);
    ComponentFinder(graph, facts).Run();
    if (entry)
    {
        FindReachable(graph, *entry, facts);
        FindLongest(graph, *entry, facts);
    }
    return facts;
}

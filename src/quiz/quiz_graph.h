// The questions of a quiz as a directed graph, and what can be reached from
// where: all iterative and linear, since quizzes may hold many thousands of
// questions chained one after another.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

// Nodes are numbered 0..n-1; an edge is an answer leading to a known
// question; a node "ends" when one of its answers ends the quiz.
class QuizGraph
{
public:
    explicit QuizGraph(size_t nodes);

    // Edges must be added node by node, in increasing node order.
    void AddEdge(size_t from, size_t to);
    void MarkEnding(size_t node) { m_ends[node] = true; }

    size_t Size() const { return m_ends.size(); }
    bool Ends(size_t node) const { return m_ends[node]; }
    // Successors of `node` as a range into one shared array.
    const size_t* EdgesBegin(size_t node) const;
    const size_t* EdgesEnd(size_t node) const;

private:
    void CloseNodesUpTo(size_t node);

    std::vector<size_t> m_firstEdge;  // m_firstEdge[v]..m_firstEdge[v+1] are v's edges
    std::vector<size_t> m_targets;
    std::vector<bool> m_ends;
};

struct GraphFacts
{
    std::vector<bool> reachable;  // from the entry
    std::vector<bool> canEnd;     // some path from the node reaches an end
    // Strongly connected components: members of component c are
    // members[memberBegin[c] .. memberBegin[c+1]).
    std::vector<size_t> component;
    std::vector<size_t> memberBegin;
    std::vector<size_t> members;
    std::vector<bool> cyclic;  // per component: it holds a loop

    // Questions answered on the shortest and longest way from the entry to
    // an end; `unbounded` when a loop that can still end is reachable.
    std::optional<size_t> shortest;
    std::optional<size_t> longest;
    bool unbounded = false;

    bool InLoop(size_t node) const { return cyclic[component[node]]; }
};

// Analyses the graph from `entry` (no entry: nothing is reachable).
GraphFacts AnalyseGraph(const QuizGraph& graph, std::optional<size_t> entry);

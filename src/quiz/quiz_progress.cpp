// Per-question distances to an end, over the quiz graph the checker uses.
#include "quiz/quiz_progress.h"

#include "quiz/question_table.h"
#include "quiz/quiz_file.h"
#include "quiz/quiz_graph.h"

#include <algorithm>
#include <deque>
#include <limits>
#include <vector>

namespace
{

constexpr size_t NONE = std::numeric_limits<size_t>::max();

// The fewest questions after each node before an end: breadth-first from
// every node that ends, along the answers backwards.
std::vector<size_t> FewestToEnd(const QuizGraph& graph)
{
    const size_t n = graph.Size();
    std::vector<size_t> firstFrom(n + 1, 0);  // reversed edges, as in QuizGraph
    for (size_t node = 0; node < n; ++node)
        for (const size_t* to = graph.EdgesBegin(node); to != graph.EdgesEnd(node); ++to)
            ++firstFrom[*to + 1];
    for (size_t node = 0; node < n; ++node)
        firstFrom[node + 1] += firstFrom[node];
    std::vector<size_t> from(firstFrom[n]);
    std::vector<size_t> filled(firstFrom.begin(), firstFrom.end() - 1);
    for (size_t node = 0; node < n; ++node)
        for (const size_t* to = graph.EdgesBegin(node); to != graph.EdgesEnd(node); ++to)
            from[filled[*to]++] = node;

    std::vector<size_t> fewest(n, NONE);
    std::deque<size_t> queue;
    for (size_t node = 0; node < n; ++node)
        if (graph.Ends(node))
        {
            fewest[node] = 0;
            queue.push_back(node);
        }
    while (!queue.empty())
    {
        const size_t node = queue.front();
        queue.pop_front();
        for (size_t i = firstFrom[node]; i < firstFrom[node + 1]; ++i)
        {
            if (fewest[from[i]] != NONE)
                continue;
            fewest[from[i]] = fewest[node] + 1;
            queue.push_back(from[i]);
        }
    }
    return fewest;
}

} // namespace

QuizProgressMap::QuizProgressMap(const QuestionTable& table)
    : m_table(&table), m_nodeOf(table.size())
{
    const QuestionIndex& index = table.Index();
    std::vector<const Question*> questions;
    questions.reserve(index.size());
    for (const auto& entry : index)
    {
        m_nodeOf.emplace(entry.second, questions.size());
        questions.push_back(entry.second);
    }

    QuizGraph graph(questions.size());
    for (size_t node = 0; node < questions.size(); ++node)
        for (const Answer& answer : questions[node]->answers)
        {
            if (answer.target == QUIZ_END_TARGET)
                graph.MarkEnding(node);
            else if (const Question* to = table.FindQuestion(answer.target))
                graph.AddEdge(node, m_nodeOf.find(to)->second);
        }
    const GraphFacts facts = AnalyseGraph(graph, std::nullopt);
    const std::vector<size_t> fewest = FewestToEnd(graph);

    // The most, over ways that end. Components come sinks first, so each
    // successor is settled before the node; inside a loop that can end
    // every member is unbounded, so the order there does not matter.
    std::vector<bool> unbounded(graph.Size(), false);
    m_figures.resize(graph.Size());
    m_canEnd = facts.canEnd;
    for (const size_t node : facts.members)
    {
        if (!facts.canEnd[node])
            continue;
        ++m_count;
        bool open = facts.InLoop(node);
        size_t best = 0;
        for (const size_t* to = graph.EdgesBegin(node); !open && to != graph.EdgesEnd(node); ++to)
        {
            if (!facts.canEnd[*to])
                continue;
            if (unbounded[*to])
                open = true;
            else
                best = std::max(best, *m_figures[*to].most + 1);
        }
        unbounded[node] = open;
        m_figures[node].fewest = fewest[node];
        if (!open)
            m_figures[node].most = best;
    }
}

void QuizProgressMap::Follow(const Question* stored, const Question* record)
{
    const auto it = m_nodeOf.find(stored);
    if (it == m_nodeOf.end())
        return;
    const size_t node = it->second;
    m_nodeOf[record] = node;
}

const QuizProgress* QuizProgressMap::Find(const wxString& id) const
{
    return m_table ? Find(m_table->FindQuestion(id)) : nullptr;
}

const QuizProgress* QuizProgressMap::Find(const Question* question) const
{
    const auto it = m_nodeOf.find(question);
    if (it == m_nodeOf.end() || !m_canEnd[it->second])
        return nullptr;
    return &m_figures[it->second];
}

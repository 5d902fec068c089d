// Random play as an absorbing Markov chain. Players flow from the entry
// through the quiz's strongly connected components in topological order:
// a question outside any loop passes on what reaches it, a loop is solved
// as a linear system for the expected visits of its questions, and a part
// from which no end can be reached keeps everyone who gets there.
//
// A loop's system is solved by eliminating its questions one by one (the
// state reduction of Markov chains, which is Gaussian elimination), always
// the one whose removal adds the fewest arrows. Chains, trees, circles and
// "start again" answers, the shapes authors write, go entirely this way in
// linear time, however rarely the loop is left: every divisor is a sum of
// positive leaving weights, never 1 minus a return weight, and the
// arithmetic is extended precision, whose range holds the visits of a loop
// left once in 10^4900 rounds (a 10,000-question chain whose every question
// may send the player back to the start). Beyond that the loop's players
// are counted as never ending, which is what they would see.
//
// Only a densely cross-linked core that would fill up (dense elimination
// costs the cube of its size) is solved by Gauss-Seidel sweeps instead,
// until the estimated error is below 1e-14 of the largest visit count; such
// a core leaks at many of its questions, so some hundred sweeps do.
#include "quiz/quiz_balance.h"

#include "quiz/quiz_analysis.h"
#include "quiz/quiz_graph.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <queue>
#include <unordered_map>
#include <utility>

namespace
{

const wxUniChar RESULT_ARROW(0x2192);

// Visits can exceed a double's range long before shares lose precision.
using Weight = long double;

bool Counts(const QuizOutline::Arrow& arrow)
{
    return arrow.ends || arrow.to.has_value();
}

// The expected visits of the questions of one loop, numbered 0..size-1,
// given the weight of each way between them, the weight of each one's ways
// out of the loop and the players arriving at each from outside.
class LoopSolver
{
public:
    explicit LoopSolver(size_t size)
        : m_out(size), m_in(size), m_leave(size, 0.0), m_arrive(size, 0.0), m_gone(size, false)
    {
    }

    void AddWay(size_t from, size_t to, Weight weight)
    {
        if (from == to)
            return;  // a way back to itself: only the others' weights divide
        m_out[from][to] += weight;
        m_in[to][from] += weight;
    }
    void AddLeaving(size_t node, Weight weight) { m_leave[node] += weight; }
    void AddArriving(size_t node, Weight players) { m_arrive[node] += players; }

    std::vector<Weight> Visits()
    {
        const size_t size = m_out.size();
        std::priority_queue<std::pair<size_t, size_t>, std::vector<std::pair<size_t, size_t>>,
                            std::greater<>> cheapest;
        for (size_t node = 0; node < size; ++node)
            cheapest.emplace(Cost(node), node);
        size_t left = size;
        while (!cheapest.empty())
        {
            const auto [cost, node] = cheapest.top();
            cheapest.pop();
            if (m_gone[node] || cost != Cost(node))
                continue;  // stale: a newer entry holds its cost
            if (cost > MAX_COST && left > SMALL_CORE)
                break;
            for (const size_t touched : Eliminate(node))
                cheapest.emplace(Cost(touched), touched);
            --left;
        }
        std::vector<Weight> visits(size, 0.0);
        if (left > 0)
            IterateCore(visits);
        for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step)
        {
            Weight arriving = step->arriving;
            for (const auto& [from, weight] : step->from)
                arriving += visits[from] * weight;
            visits[step->node] = arriving / step->leaving;
        }
        return visits;
    }

private:
    // Eliminating a question links each of its predecessors to each of its
    // successors: up to this many new ways, beyond which a large core is
    // left to the sweeps (a small one is eliminated whole).
    static constexpr size_t MAX_COST = 16;
    static constexpr size_t SMALL_CORE = 150;

    struct Step
    {
        size_t node;
        Weight leaving;   // all its weight to other questions and out
        Weight arriving;  // players arriving at it once it was taken out
        std::vector<std::pair<size_t, Weight>> from;  // ways in from questions left then
    };

    size_t Cost(size_t node) const { return m_in[node].size() * m_out[node].size(); }

    Weight Leaving(size_t node) const
    {
        Weight leaving = m_leave[node];
        for (const auto& [to, weight] : m_out[node])
            leaving += weight;
        return leaving;
    }

    // Replaces the question by direct ways around it; returns its
    // neighbours, whose costs changed.
    std::vector<size_t> Eliminate(size_t node)
    {
        const Weight leaving = Leaving(node);
        std::unordered_map<size_t, Weight> out = std::move(m_out[node]);
        std::unordered_map<size_t, Weight> in = std::move(m_in[node]);
        m_out[node].clear();
        m_in[node].clear();
        m_gone[node] = true;
        std::vector<size_t> touched;
        for (const auto& [to, weight] : out)
        {
            m_in[to].erase(node);
            m_arrive[to] += m_arrive[node] * weight / leaving;
            touched.push_back(to);
        }
        for (const auto& [from, weight] : in)
        {
            m_out[from].erase(node);
            const Weight through = weight / leaving;
            m_leave[from] += through * m_leave[node];
            for (const auto& [to, onward] : out)
                AddWay(from, to, through * onward);
            touched.push_back(from);
        }
        m_steps.push_back(Step{node, leaving, m_arrive[node], {in.begin(), in.end()}});
        return touched;
    }

    // Gauss-Seidel on the questions left. The error after a sweep is about
    // its change times r / (1 - r), r the rate the changes shrink at.
    void IterateCore(std::vector<Weight>& visits)
    {
        // The ways in, laid out flat: a sweep follows each once.
        std::vector<size_t> core;
        std::vector<Weight> leaving;
        std::vector<size_t> firstWay{0};
        std::vector<std::pair<size_t, Weight>> ways;
        for (size_t node = 0; node < m_gone.size(); ++node)
        {
            if (m_gone[node])
                continue;
            core.push_back(node);
            leaving.push_back(Leaving(node));
            ways.insert(ways.end(), m_in[node].begin(), m_in[node].end());
            firstWay.push_back(ways.size());
        }
        const size_t maxSweeps = std::max<size_t>(1000, MAX_CORE_WORK / (ways.size() + core.size()));
        Weight lastChange = 0;
        for (size_t sweep = 0; sweep < maxSweeps; ++sweep)
        {
            Weight change = 0;
            Weight largest = 0;
            for (size_t i = 0; i < core.size(); ++i)
            {
                Weight arriving = m_arrive[core[i]];
                for (size_t way = firstWay[i]; way < firstWay[i + 1]; ++way)
                    arriving += visits[ways[way].first] * ways[way].second;
                const Weight updated = arriving / leaving[i];
                change = std::max(change, std::fabs(updated - visits[core[i]]));
                largest = std::max(largest, updated);
                visits[core[i]] = updated;
            }
            const Weight rate = lastChange > 0 ? change / lastChange : 1;
            if (change <= TOLERANCE * largest ||
                (sweep > 2 && rate < 1 && change * rate / (1 - rate) <= TOLERANCE * largest))
                return;
            lastChange = change;
        }
    }

    static constexpr Weight TOLERANCE = 1e-14;
    static constexpr size_t MAX_CORE_WORK = 500'000'000;  // ways followed, some seconds

    std::vector<std::unordered_map<size_t, Weight>> m_out;
    std::vector<std::unordered_map<size_t, Weight>> m_in;
    std::vector<Weight> m_leave;   // weight out of the loop, to ends or on
    std::vector<Weight> m_arrive;
    std::vector<bool> m_gone;
    std::vector<Step> m_steps;
};

// Walks the components from the entry on, passing players along.
class Flow
{
public:
    explicit Flow(const QuizOutline& outline)
        : m_outline(outline), m_counting(outline.boxes.size(), 0), m_graph(outline.boxes.size()),
          m_arriving(outline.boxes.size(), 0.0), m_local(outline.boxes.size(), 0)
    {
        m_shares.byAnswer.reserve(outline.boxes.size());
        for (size_t box = 0; box < outline.boxes.size(); ++box)
        {
            const std::vector<QuizOutline::Arrow>& arrows = outline.boxes[box].arrows;
            m_shares.byAnswer.emplace_back(arrows.size(), 0.0);
            for (const QuizOutline::Arrow& arrow : arrows)
            {
                m_counting[box] += Counts(arrow);
                if (arrow.to)
                    m_graph.AddEdge(box, *arrow.to);
                else if (arrow.ends)
                    m_graph.MarkEnding(box);
            }
        }
    }

    EndingShares Run()
    {
        if (!m_outline.entry)
        {
            m_shares.neverEnds = 1;
            return std::move(m_shares);
        }
        m_facts = AnalyseGraph(m_graph, m_outline.entry);
        m_arriving[*m_outline.entry] = 1;
        // Components come sinks first: the entry's side is at the back.
        for (size_t component = m_facts.cyclic.size(); component-- > 0;)
            Pass(component);
        return std::move(m_shares);
    }

private:
    void Pass(size_t component)
    {
        const size_t* const begin = m_facts.members.data() + m_facts.memberBegin[component];
        const size_t* const end = m_facts.members.data() + m_facts.memberBegin[component + 1];
        double players = 0;
        for (const size_t* member = begin; member != end; ++member)
            players += m_arriving[*member];
        if (players == 0)
            return;
        if (!m_facts.canEnd[*begin])
        {
            m_shares.neverEnds += players;
            return;
        }
        if (!m_facts.cyclic[component])
        {
            Leave(*begin, m_arriving[*begin], component);
            return;
        }
        LoopSolver solver(size_t(end - begin));
        for (const size_t* member = begin; member != end; ++member)
            m_local[*member] = size_t(member - begin);
        for (const size_t* member = begin; member != end; ++member)
        {
            const size_t box = *member;
            const Weight weight = Weight(1) / Weight(m_counting[box]);
            for (const QuizOutline::Arrow& arrow : m_outline.boxes[box].arrows)
                if (arrow.to && m_facts.component[*arrow.to] == component)
                    solver.AddWay(m_local[box], m_local[*arrow.to], weight);
                else if (Counts(arrow))
                    solver.AddLeaving(m_local[box], weight);
            solver.AddArriving(m_local[box], m_arriving[box]);
        }
        const std::vector<Weight> visits = solver.Visits();
        if (!std::all_of(visits.begin(), visits.end(), [](Weight v) { return std::isfinite(v); }))
        {
            m_shares.neverEnds += players;  // left too rarely for any player to see it
            return;
        }
        for (const size_t* member = begin; member != end; ++member)
            Leave(*member, visits[size_t(member - begin)], component);
    }

    // Sends a question's visits on by each of its answers that leaves the
    // component.
    void Leave(size_t box, Weight visits, size_t component)
    {
        const double each = double(visits / Weight(m_counting[box]));
        const std::vector<QuizOutline::Arrow>& arrows = m_outline.boxes[box].arrows;
        for (size_t answer = 0; answer < arrows.size(); ++answer)
        {
            if (arrows[answer].ends)
                m_shares.byAnswer[box][answer] += each;
            else if (arrows[answer].to && m_facts.component[*arrows[answer].to] != component)
                m_arriving[*arrows[answer].to] += each;
        }
    }

    const QuizOutline& m_outline;
    std::vector<size_t> m_counting;  // answers that count, per box
    QuizGraph m_graph;
    GraphFacts m_facts;
    std::vector<double> m_arriving;  // players arriving from earlier components
    std::vector<size_t> m_local;     // a box's number within its component
    EndingShares m_shares;
};

} // namespace

wxString ResultOf(const wxString& answerText)
{
    const size_t arrow = answerText.rfind(RESULT_ARROW);
    if (arrow == wxString::npos)
        return answerText;
    wxString result = answerText.substr(arrow + 1);
    result.Trim(true).Trim(false);
    return result.empty() ? answerText : result;
}

EndingShares EndingSharesOf(const QuizOutline& outline)
{
    return Flow(outline).Run();
}

QuizBalance BalanceOf(const QuizOutline& outline)
{
    const EndingShares shares = EndingSharesOf(outline);
    std::map<wxString, double> byResult;
    for (size_t box = 0; box < outline.boxes.size(); ++box)
    {
        const std::vector<QuizOutline::Arrow>& arrows = outline.boxes[box].arrows;
        for (size_t answer = 0; answer < arrows.size(); ++answer)
            if (arrows[answer].ends)
                byResult[ResultOf(arrows[answer].text)] += shares.byAnswer[box][answer];
    }
    QuizBalance balance;
    balance.neverEnds = shares.neverEnds;
    for (const auto& [result, share] : byResult)
        balance.results.push_back(ResultShare{result, share});
    // Stable: equal shares keep the map's order, by result text.
    std::stable_sort(balance.results.begin(), balance.results.end(),
                     [](const ResultShare& a, const ResultShare& b) { return a.share > b.share; });
    return balance;
}

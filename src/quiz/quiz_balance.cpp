// Random play as an absorbing Markov chain. Players flow from the entry
// through the quiz's strongly connected components in topological order:
// a question outside any loop passes on what reaches it, a loop is solved
// as a linear system for the expected visits of its questions, and a part
// nobody can leave (a loop with no way out, a question none of whose
// answers leads on) keeps everyone who gets there.
//
// A loop's system is first reduced by eliminating its questions one by one
// (the state reduction of Markov chains, which is Gaussian elimination),
// always the one whose removal adds the fewest arrows, as long as that
// adds only a few. Chains, trees, circles and "start again" answers, the
// shapes authors write, go entirely this way in linear time, however
// rarely the loop is left: every divisor is a sum of positive leaving
// weights, never 1 minus a return weight, and the arithmetic is extended
// precision, whose range holds the visits of a loop left once in 10^4900
// rounds (a 10,000-question chain whose every question may send the player
// back to the start). Beyond that the loop's players are counted as never
// ending, which is what they would see.
//
// What a densely cross-linked loop leaves, its core, would fill up under
// this elimination; it goes to a sparse direct solver, or, when even that
// would take too long, to iteration (see core_solver.h); either says how
// far off its answer may be, and only a factorised one that is right to
// twelve digits counts as exact.
#include "quiz/quiz_balance.h"

#include "quiz/quiz_analysis.h"
#include "quiz/quiz_graph.h"

#include <wx/intl.h>
#include <wx/numformatter.h>

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
const wxUniChar APPROXIMATE(0x2248);  // "≈", before a share that is not exact

// Visits can exceed a double's range long before shares lose precision.
using Weight = long double;

// A core solved directly counts as exact when its residuals, which bound
// every share's error, add up to no more than this: some twelve digits,
// where the views show three or four.
constexpr long double EXACT_BOUND = 1e-12L;

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
    LoopSolver(size_t size, SolverBudget& budget)
        : m_budget(budget), m_out(size), m_in(size), m_leave(size, 0.0), m_arrive(size, 0.0),
          m_gone(size, false)
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

    struct Visits
    {
        std::vector<Weight> visits;
        bool exact = true;
        long double bound = 0;  // in players, see CoreSolution
    };

    Visits Solve()
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
            if (cost > MAX_COST)
                break;
            for (const size_t touched : Eliminate(node))
                cheapest.emplace(Cost(touched), touched);
            --left;
        }
        Visits result;
        result.visits.assign(size, 0.0);
        if (left > 0)
            SolveRemaining(result);
        for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step)
        {
            Weight arriving = step->arriving;
            for (const auto& [from, weight] : step->from)
                arriving += result.visits[from] * weight;
            result.visits[step->node] = arriving / step->leaving;
        }
        return result;
    }

private:
    // Eliminating a question links each of its predecessors to each of its
    // successors: up to this many new ways, beyond which the core left is
    // solved as a whole.
    static constexpr size_t MAX_COST = 16;

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

    // The questions not eliminated, as one system.
    void SolveRemaining(Visits& result)
    {
        std::vector<size_t> core;
        std::vector<size_t> place(m_gone.size(), 0);
        for (size_t node = 0; node < m_gone.size(); ++node)
            if (!m_gone[node])
            {
                place[node] = core.size();
                core.push_back(node);
            }
        CoreSystem system;
        for (const size_t node : core)
        {
            system.leaving.push_back(Leaving(node));
            system.arriving.push_back(m_arrive[node]);
            for (const auto& [from, weight] : m_in[node])
                system.ways.emplace_back(place[from], weight);
            system.firstWay.push_back(system.ways.size());
        }
        const CoreSolution solution = SolveCore(system, m_budget);
        for (size_t i = 0; i < core.size(); ++i)
            result.visits[core[i]] = solution.visits[i];
        result.bound = solution.bound;
        result.exact = solution.direct && solution.bound <= EXACT_BOUND;
    }

    SolverBudget& m_budget;  // the quiz's, shared by its loops
    std::vector<std::unordered_map<size_t, Weight>> m_out;
    std::vector<std::unordered_map<size_t, Weight>> m_in;
    std::vector<Weight> m_leave;   // weight out of the loop, to ends or on
    std::vector<Weight> m_arrive;
    std::vector<bool> m_gone;
    std::vector<Step> m_steps;
};

// What random play gives, answer by answer.
struct Shares
{
    // Per box, per answer: the players who end the quiz by it.
    std::vector<std::vector<double>> byAnswer;
    // Per box: its answers' shares came (in part) through an inexact solution.
    std::vector<bool> inexact;
    QuizBalance never;  // the balance's figures of players who never end
    long double bound = 0;
};

// Walks the components from the entry on, passing players along.
class Flow
{
public:
    Flow(const QuizOutline& outline, const SolverBudget& budget)
        : m_outline(outline), m_budget(budget), m_counting(outline.boxes.size(), 0),
          m_graph(outline.boxes.size()), m_arriving(outline.boxes.size(), 0.0),
          m_carriesError(outline.boxes.size(), false), m_local(outline.boxes.size(), 0)
    {
        m_shares.byAnswer.reserve(outline.boxes.size());
        m_shares.inexact.assign(outline.boxes.size(), false);
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

    Shares Run()
    {
        if (!m_outline.entry)
        {
            m_shares.never.cannotStart = true;
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
    // Whether any answer of the component ends the quiz or leads out of it.
    bool Open(const size_t* begin, const size_t* end, size_t component) const
    {
        for (const size_t* member = begin; member != end; ++member)
            for (const QuizOutline::Arrow& arrow : m_outline.boxes[*member].arrows)
                if (arrow.ends || (arrow.to && m_facts.component[*arrow.to] != component))
                    return true;
        return false;
    }

    // Players who stay in the component for good.
    void Keep(double& reason, double players, bool carriesError)
    {
        reason += players;
        m_shares.never.neverEndsExact = m_shares.never.neverEndsExact && !carriesError;
    }

    void Pass(size_t component)
    {
        const size_t* const begin = m_facts.members.data() + m_facts.memberBegin[component];
        const size_t* const end = m_facts.members.data() + m_facts.memberBegin[component + 1];
        double players = 0;
        bool carriesError = false;
        for (const size_t* member = begin; member != end; ++member)
        {
            players += m_arriving[*member];
            carriesError = carriesError || m_carriesError[*member];
        }
        if (players == 0)
            return;
        const bool cyclic = m_facts.cyclic[component];
        if (!Open(begin, end, component))
        {
            Keep(cyclic ? m_shares.never.caughtInLoop : m_shares.never.stuck, players, carriesError);
            return;
        }
        if (!cyclic)
        {
            Leave(*begin, m_arriving[*begin], component, carriesError);
            return;
        }
        LoopSolver solver(size_t(end - begin), m_budget);
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
        const LoopSolver::Visits visits = solver.Solve();
        if (!std::all_of(visits.visits.begin(), visits.visits.end(),
                         [](Weight v) { return std::isfinite(v); }))
        {
            Keep(m_shares.never.rarelyLeft, players, carriesError);
            return;
        }
        if (!visits.exact)
        {
            m_shares.bound += visits.bound;
            carriesError = true;
        }
        for (const size_t* member = begin; member != end; ++member)
            Leave(*member, visits.visits[size_t(member - begin)], component, carriesError);
    }

    // Sends a question's visits on by each of its answers that leaves the
    // component.
    void Leave(size_t box, Weight visits, size_t component, bool carriesError)
    {
        const double each = double(visits / Weight(m_counting[box]));
        const std::vector<QuizOutline::Arrow>& arrows = m_outline.boxes[box].arrows;
        m_shares.inexact[box] = m_shares.inexact[box] || carriesError;
        for (size_t answer = 0; answer < arrows.size(); ++answer)
        {
            if (arrows[answer].ends)
                m_shares.byAnswer[box][answer] += each;
            else if (arrows[answer].to && m_facts.component[*arrows[answer].to] != component)
            {
                m_arriving[*arrows[answer].to] += each;
                m_carriesError[*arrows[answer].to] = m_carriesError[*arrows[answer].to] || carriesError;
            }
        }
    }

    const QuizOutline& m_outline;
    SolverBudget m_budget;  // what is left of it
    std::vector<size_t> m_counting;  // answers that count, per box
    QuizGraph m_graph;
    GraphFacts m_facts;
    std::vector<double> m_arriving;     // players arriving from earlier components
    std::vector<bool> m_carriesError;   // some of them came through an inexact solution
    std::vector<size_t> m_local;        // a box's number within its component
    Shares m_shares;
};

} // namespace

bool QuizBalance::Exact() const
{
    return neverEndsExact && std::all_of(results.begin(), results.end(),
                                         [](const ResultShare& result) { return result.exact; });
}

wxString ResultOf(const wxString& answerText)
{
    const size_t arrow = answerText.rfind(RESULT_ARROW);
    if (arrow == wxString::npos)
        return answerText;
    wxString result = answerText.substr(arrow + 1);
    result.Trim(true).Trim(false);
    return result.empty() ? answerText : result;
}

QuizBalance BalanceOf(const QuizOutline& outline, const SolverBudget& budget)
{
    const Shares shares = Flow(outline, budget).Run();
    std::map<wxString, ResultShare> byResult;
    for (size_t box = 0; box < outline.boxes.size(); ++box)
    {
        const std::vector<QuizOutline::Arrow>& arrows = outline.boxes[box].arrows;
        for (size_t answer = 0; answer < arrows.size(); ++answer)
            if (arrows[answer].ends)
            {
                const wxString result = ResultOf(arrows[answer].text);
                ResultShare& share = byResult.emplace(result, ResultShare{result, 0, true}).first->second;
                share.share += shares.byAnswer[box][answer];
                share.exact = share.exact && !shares.inexact[box];
            }
    }
    // A result the quiz describes that no ending names comes out for nobody.
    for (const wxString& result : outline.results)
        byResult.emplace(result, ResultShare{result, 0, true});
    QuizBalance balance = shares.never;
    balance.neverEnds = balance.cannotStart ? 1 : balance.caughtInLoop + balance.stuck + balance.rarelyLeft;
    for (auto& [result, share] : byResult)
    {
        if (!share.exact)  // the exact share lies in 0..1: so may the estimate
            share.share = std::clamp(share.share, 0.0, 1.0);
        balance.results.push_back(std::move(share));
    }
    if (!balance.Exact())
        balance.errorBound = double(shares.bound);
    // Stable: equal shares keep the map's order, by result text.
    std::stable_sort(balance.results.begin(), balance.results.end(),
                     [](const ResultShare& a, const ResultShare& b) { return a.share > b.share; });
    return balance;
}

wxString ShareText(double share, bool exact)
{
    // TRANSLATORS: a share of players, as the quiz map and the editor's
    // balance show it; %s is the percentage with one decimal.
    const wxString text = wxString::Format(_("%s %%"), wxNumberFormatter::ToString(
                                                           100 * share, 1, wxNumberFormatter::Style_None));
    return exact ? text : wxString(APPROXIMATE) + wxS(" ") + text;
}

std::vector<wxString> BalanceRows(const QuizBalance& balance)
{
    std::vector<wxString> rows;
    for (const ResultShare& result : balance.results)
        rows.push_back(ShareText(result.share, result.exact) + wxS("  ") + result.result);
    if (balance.neverEnds > 0)
        rows.push_back(ShareText(balance.neverEnds, balance.neverEndsExact) + wxS("  ") +
                       _("never reach an end"));
    return rows;
}

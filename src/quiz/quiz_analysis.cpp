// Whole-quiz findings and the summary, over the questions the reader kept.
#include "quiz/quiz_analysis.h"

#include "quiz/question_table.h"
#include "quiz/quiz_file.h"
#include "quiz/quiz_balance.h"
#include "quiz/quiz_graph.h"

#include <wx/intl.h>
#include <algorithm>
#include <optional>
#include <unordered_set>
#include <vector>

namespace
{

class QuizAnalysis
{
public:
    QuizAnalysis(const QuestionTable& table, const ReadRecorder& recorder, FindingList& findings,
                 QuizOutline* outline)
        : m_table(table), m_recorder(recorder), m_questions(recorder.Questions()),
          m_findings(findings), m_outline(outline), m_graph(m_questions.size())
    {
    }

    QuizSummary Run()
    {
        BuildGraph();
        const Question* entry = m_table.FindQuestion(QUIZ_ENTRY_ID);
        if (!entry)
            Add(1, Severity::Error, "no-entry",
                wxString::Format(_("there is no question %s, where every quiz starts: "
                                   "nothing can be played"),
                                 Quoted(QUIZ_ENTRY_ID)));
        std::optional<size_t> start;
        if (entry)
            start = m_recorder.IndexOf(*entry);
        const GraphFacts facts = AnalyseGraph(m_graph, start);
        if (entry)
            ReportPaths(facts);
        ReportUnnamedResults();
        if (m_outline)
            Outline(start, facts);
        return Summarise(facts);
    }

private:
    void Add(long line, Severity severity, const char* code, const wxString& message,
             const wxString& questionId = wxString())
    {
        m_findings.push_back(Finding{line, severity, code, message, questionId});
    }

    void BuildGraph()
    {
        for (size_t index = 0; index < m_questions.size(); ++index)
        {
            const ReadRecorder::RecordedQuestion& question = m_questions[index];
            if (!question.live)
                continue;
            const std::vector<Answer>& answers = question.record->answers;
            for (size_t i = 0; i < answers.size(); ++i)
            {
                if (answers[i].target == QUIZ_END_TARGET)
                    CheckEndingResult(index, question.answerElements[i], answers[i].text,
                                      question.targetLines[i]);
                const std::optional<size_t> to = AddAnswer(index, question.answerElements[i], answers[i].target,
                                                       question.targetLines[i]);
                if (m_outline)
                    m_targets.push_back(to);
            }
        }
    }

    // The question the answer leads to, by its index in the recorder.
    std::optional<size_t> AddAnswer(size_t from, int answer, const wxString& target, long line)
    {
        if (target == QUIZ_END_TARGET)
        {
            m_graph.MarkEnding(from);
            ++m_endings;
        }
        else if (const Question* found = m_table.FindQuestion(target))
        {
            const size_t to = m_recorder.IndexOf(*found);
            m_graph.AddEdge(from, to);
            return to;
        }
        else
        {
            const wxString question = Quoted(m_questions[from].record->id);
            Add(line, Severity::Error, "unknown-target",
                wxString::Format(_("question %s: GOTO %s names no question"), question, Quoted(target)),
                m_questions[from].record->id);
            m_findings.back().answer = answer;
            m_findings.back().windowMessage = wxString::Format(
                _("question %s: an answer leads to %s, which is not a question of this quiz"), question,
                Quoted(target));
        }
        return std::nullopt;
    }

    // In a quiz that describes its results, every ending should name one.
    void CheckEndingResult(size_t from, int answer, const wxString& answerText, long line)
    {
        const QuizResults& results = m_recorder.Results();
        if (results.Empty())
            return;
        const wxString name = ResultOf(answerText);
        if (results.Find(name))
        {
            m_named.insert(name);
            return;
        }
        const wxString& id = m_questions[from].record->id;
        Add(line, Severity::Warning, "ending-no-result",
            wxString::Format(_("question %s: the ending %s names no result: no RESULT has the name %s"),
                             Quoted(id), Quoted(answerText), Quoted(name)),
            id);
        m_findings.back().answer = answer;
    }

    // A result no ending names: no player ever gets it.
    void ReportUnnamedResults()
    {
        const std::vector<QuizResult>& results = m_recorder.Results().results;
        for (size_t i = 0; i < results.size(); ++i)
        {
            const QuizResult& result = results[i];
            if (result.name.empty() || m_recorder.Results().Find(result.name) != &result ||
                m_named.count(result.name) != 0)
                continue;
            Add(result.line, Severity::Warning, "result-unused",
                wxString::Format(_("result %s is named by no ending: no player gets it"), Quoted(result.name)));
            m_findings.back().result = static_cast<int>(i);
        }
    }

    // Copies the live questions with their answers' resolved targets; boxes
    // are numbered without the displaced records.
    void Outline(std::optional<size_t> start, const GraphFacts& facts)
    {
        std::vector<size_t> boxOf(m_questions.size(), 0);
        size_t live = 0;
        for (size_t index = 0; index < m_questions.size(); ++index)
            if (m_questions[index].live)
                boxOf[index] = live++;
        std::vector<QuizOutline::Box>& boxes = m_outline->boxes;
        // Room made once: a box's strings are copied, not moved, when the
        // vector grows, which a quiz of thousands of questions feels on
        // every edit.
        boxes.reserve(boxes.size() + live);
        auto target = m_targets.begin();
        for (size_t index = 0; index < m_questions.size(); ++index)
        {
            const ReadRecorder::RecordedQuestion& question = m_questions[index];
            if (!question.live)
                continue;
            boxes.push_back(QuizOutline::Box{question.record->id, question.record->text,
                                             bool(facts.reachable[index]), bool(facts.canEnd[index]), {}});
            boxes.back().arrows.reserve(question.record->answers.size());
            for (const Answer& answer : question.record->answers)
            {
                const std::optional<size_t> to = *target++;
                boxes.back().arrows.push_back(QuizOutline::Arrow{
                    answer.text, answer.target, answer.target == QUIZ_END_TARGET,
                    to ? std::optional<size_t>(boxOf[*to]) : std::nullopt});
            }
        }
        if (start)
            m_outline->entry = boxOf[*start];
        for (const QuizResult& result : m_recorder.Results().results)
            if (!result.name.empty() && m_recorder.Results().Find(result.name) == &result)
                m_outline->results.push_back(result.name);
    }

    void ReportPaths(const GraphFacts& facts)
    {
        for (size_t index = 0; index < m_questions.size(); ++index)
        {
            const ReadRecorder::RecordedQuestion& question = m_questions[index];
            if (!question.live)
                continue;
            const wxString name = Quoted(question.record->id);
            const bool answerless = question.record->answers.empty();
            if (!facts.reachable[index])
            {
                // A question without ID has had its own finding already.
                if (!question.record->id.empty())
                    Add(question.line, Severity::Warning, "unreachable",
                        wxString::Format(_("question %s cannot be reached from question %s"), name,
                                         Quoted(QUIZ_ENTRY_ID)),
                        question.record->id);
                if (answerless)
                    Add(question.line, Severity::Warning, "no-answers",
                        wxString::Format(_("question %s has no answers"), name), question.record->id);
            }
            else if (answerless)
                Add(question.line, Severity::Error, "dead-end",
                    wxString::Format(_("question %s has no answers: a player who gets here cannot "
                                       "finish the quiz"),
                                     name),
                    question.record->id);
            else if (!facts.canEnd[index])
                Add(question.line, Severity::Error, "no-end", WhyNoEnd(index, facts, name),
                    question.record->id);
        }
    }

    wxString WhyNoEnd(size_t index, const GraphFacts& facts, const wxString& name) const
    {
        if (facts.InLoop(index))
            return LoopSentence(index, facts, name);
        if (m_graph.EdgesBegin(index) == m_graph.EdgesEnd(index))
            return wxString::Format(_("no end can be reached from question %s: none of its answers "
                                      "leads to an existing question"),
                                    name);
        return wxString::Format(_("no end can be reached from question %s: every way on leads into "
                                  "a loop or a dead end"),
                                name);
    }

    // The loop, with a few of its other questions by name, in order.
    wxString LoopSentence(size_t index, const GraphFacts& facts, const wxString& name) const
    {
        constexpr size_t NAMED = 3;
        const size_t component = facts.component[index];
        std::vector<wxString> others;
        for (size_t i = facts.memberBegin[component]; i < facts.memberBegin[component + 1]; ++i)
            if (facts.members[i] != index)
                others.push_back(m_questions[facts.members[i]].record->id);
        if (others.empty())
            return wxString::Format(_("no end can be reached from question %s: it is caught in a loop "
                                      "with no way out"),
                                    name);
        // Numbers in their order ("999" before "1003"), other IDs after them.
        const auto number = [](const wxString& id) {
            unsigned long long value = 0;
            return !id.empty() && id.find_first_not_of(wxS("0123456789")) == wxString::npos &&
                           id.ToULongLong(&value)
                       ? std::optional<unsigned long long>(value)
                       : std::nullopt;
        };
        const size_t named = std::min(NAMED, others.size());
        std::partial_sort(others.begin(), others.begin() + named, others.end(),
                          [&number](const wxString& a, const wxString& b) {
                              const auto x = number(a), y = number(b);
                              if (x && y && *x != *y)
                                  return *x < *y;
                              if (x.has_value() != y.has_value())
                                  return x.has_value();
                              return a < b;
                          });
        wxString names;
        for (size_t i = 0; i < named; ++i)
        {
            if (i > 0)
                // TRANSLATORS: " and " joins the last two IDs of a list of questions, ", " the others.
                names << (i + 1 == named && others.size() == named ? _(" and ") : _(", "));
            names << Quoted(others[i]);
        }
        if (others.size() == named)
            return wxString::Format(_("no end can be reached from question %s: it is caught in a loop "
                                      "with %s, with no way out"),
                                    name, names);
        return wxString::Format(_("no end can be reached from question %s: it is caught in a loop "
                                  "with %s and %zu more, with no way out"),
                                name, names, others.size() - named);
    }

    QuizSummary Summarise(const GraphFacts& facts) const
    {
        QuizSummary summary;
        summary.questions = m_table.size();
        summary.endings = m_endings;
        summary.shortest = facts.shortest;
        summary.longest = facts.longest;
        summary.unbounded = facts.unbounded;
        return summary;
    }

    const QuestionTable& m_table;
    const ReadRecorder& m_recorder;
    const std::vector<ReadRecorder::RecordedQuestion>& m_questions;
    FindingList& m_findings;
    QuizOutline* m_outline;  // filled when not null
    std::vector<std::optional<size_t>> m_targets;  // per answer of live questions, for the outline
    QuizGraph m_graph;
    size_t m_endings = 0;
    std::unordered_set<wxString> m_named;  // results that live endings name
};

} // namespace

QuizSummary AnalyseQuiz(const QuestionTable& table, const ReadRecorder& recorder,
                        FindingList& findings, QuizOutline* outline)
{
    return QuizAnalysis(table, recorder, findings, outline).Run();
}

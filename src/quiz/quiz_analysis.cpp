// Whole-quiz findings and the summary, over the questions the reader kept.
#include "quiz/quiz_analysis.h"

#include "quiz/question_table.h"
#include "quiz/quiz_file.h"
#include "quiz/quiz_graph.h"

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
                wxS("there is no question \"") + QUIZ_ENTRY_ID +
                    wxS("\", where every quiz starts: nothing can be played"));
        std::optional<size_t> start;
        if (entry)
            start = m_recorder.IndexOf(*entry);
        const GraphFacts facts = AnalyseGraph(m_graph, start);
        if (entry)
            ReportPaths(facts);
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
                const std::optional<size_t> to = AddAnswer(index, answers[i].target, question.targetLines[i]);
                if (m_outline)
                    m_targets.push_back(to);
            }
        }
    }

    // The question the answer leads to, by its index in the recorder.
    std::optional<size_t> AddAnswer(size_t from, const wxString& target, long line)
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
            Add(line, Severity::Error, "unknown-target",
                QuestionName(m_questions[from].record->id) + wxS(": GOTO ") + Quoted(target) +
                    wxS(" names no question"),
                m_questions[from].record->id);
        return std::nullopt;
    }

    // Copies the live questions with their answers' resolved targets; boxes
    // are numbered without the displaced records.
    void Outline(std::optional<size_t> start, const GraphFacts& facts)
    {
        std::vector<size_t> boxOf(m_questions.size(), 0);
        for (size_t index = 0, boxes = 0; index < m_questions.size(); ++index)
            if (m_questions[index].live)
                boxOf[index] = boxes++;
        std::vector<QuizOutline::Box>& boxes = m_outline->boxes;
        auto target = m_targets.begin();
        for (size_t index = 0; index < m_questions.size(); ++index)
        {
            const ReadRecorder::RecordedQuestion& question = m_questions[index];
            if (!question.live)
                continue;
            boxes.push_back(QuizOutline::Box{question.record->id, question.record->text,
                                             bool(facts.reachable[index]), bool(facts.canEnd[index]), {}});
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
    }

    void ReportPaths(const GraphFacts& facts)
    {
        for (size_t index = 0; index < m_questions.size(); ++index)
        {
            const ReadRecorder::RecordedQuestion& question = m_questions[index];
            if (!question.live)
                continue;
            const wxString name = QuestionName(question.record->id);
            const bool answerless = question.record->answers.empty();
            if (!facts.reachable[index])
            {
                // A question without ID has had its own finding already.
                if (!question.record->id.empty())
                    Add(question.line, Severity::Warning, "unreachable",
                        name + wxS(" cannot be reached from question \"") + QUIZ_ENTRY_ID + "\"",
                        question.record->id);
                if (answerless)
                    Add(question.line, Severity::Warning, "no-answers", name + wxS(" has no answers"),
                        question.record->id);
            }
            else if (answerless)
                Add(question.line, Severity::Error, "dead-end",
                    name + wxS(" has no answers: a player who gets here cannot finish the quiz"),
                    question.record->id);
            else if (!facts.canEnd[index])
                Add(question.line, Severity::Error, "no-end",
                    wxS("no end can be reached from ") + name + wxS(": ") + WhyNoEnd(index, facts),
                    question.record->id);
        }
    }

    wxString WhyNoEnd(size_t index, const GraphFacts& facts) const
    {
        if (facts.InLoop(index))
            return wxS("it is caught in a loop") + LoopCompanions(index, facts) +
                   wxS(" with no way out");
        if (m_graph.EdgesBegin(index) == m_graph.EdgesEnd(index))
            return wxS("none of its answers leads to an existing question");
        return wxS("every way on leads into a loop or a dead end");
    }

    // The other questions of the loop, a few by name.
    wxString LoopCompanions(size_t index, const GraphFacts& facts) const
    {
        constexpr size_t NAMED = 3;
        const size_t component = facts.component[index];
        const size_t begin = facts.memberBegin[component];
        const size_t end = facts.memberBegin[component + 1];
        wxString names;
        size_t named = 0;
        for (size_t i = begin; i < end && named < NAMED; ++i)
        {
            if (facts.members[i] == index)
                continue;
            names << (named++ ? wxS(", ") : wxS(" with ")) << Quoted(m_questions[facts.members[i]].record->id);
        }
        const size_t others = end - begin - 1;
        if (others > named)
            names << wxString::Format(wxS(" and %zu more"), others - named);
        return names;
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
};

} // namespace

QuizSummary AnalyseQuiz(const QuestionTable& table, const ReadRecorder& recorder,
                        FindingList& findings, QuizOutline* outline)
{
    return QuizAnalysis(table, recorder, findings, outline).Run();
}

// Recording what the quiz reader does, node by node.
#include "quiz/read_recorder.h"

#include "quiz/question_table.h"

#include <wx/intl.h>
#include <wx/xml/xml.h>

#include <cstring>

namespace
{

const char* const QUIZ_NAMES[] = {"QUESTION", "ID", "Q", "ANSWER", "A", "GOTO"};

bool IsQuizElement(const wxXmlNode& node)
{
    if (node.GetType() != wxXML_ELEMENT_NODE)
        return false;
    for (const char* name : QUIZ_NAMES)
        if (IsQuizName(node.GetName(), name))
            return true;
    return false;
}

wxString Tag(const wxXmlNode& element)
{
    return wxS("<") + element.GetName() + wxS(">");
}

// Where a misplaced quiz element belongs, to tell the author how to fix it:
// the finding's sentence (untranslated), from the question's ID, the
// element's tag and its parent's.
const char* IgnoredSentence(const wxXmlNode& element)
{
    const wxString& name = element.GetName();
    if (IsQuizName(name, "QUESTION"))
        return wxTRANSLATE("question %s: %s inside %s is ignored: "
                           "questions belong directly under the root element");
    if (IsQuizName(name, "A") || IsQuizName(name, "GOTO"))
        return wxTRANSLATE("question %s: %s inside %s is ignored: it belongs inside an <ANSWER>");
    return wxTRANSLATE("question %s: %s inside %s is ignored: it belongs directly under a <QUESTION>");
}

// Text nodes start where the previous markup ends; the author thinks of the
// line where the visible text begins.
long FirstVisibleLine(const wxXmlNode& node)
{
    long line = node.GetLineNumber();
    for (const wxUniChar c : node.GetContent())
    {
        if (c == '\n')
            ++line;
        else if (!IsBlank(c))
            break;
    }
    return line;
}

// "reading stops at ...": the node, then what is lost after it (the count
// of QUESTION elements that follow), each kind of node its own sentence.
wxString StoppedSentence(const wxXmlNode& node, size_t dropped)
{
    switch (node.GetType())
    {
    case wxXML_ELEMENT_NODE:
        if (dropped == 0)
            return wxString::Format(_("reading stops at %s, which is not a QUESTION: "
                                      "no QUESTION follows, so nothing is lost yet"),
                                    Tag(node));
        return wxString::Format(wxPLURAL("reading stops at %s, which is not a QUESTION: "
                                         "the QUESTION after it is ignored",
                                         "reading stops at %s, which is not a QUESTION: "
                                         "the %zu QUESTION elements after it are ignored",
                                         dropped),
                                Tag(node), dropped);
    case wxXML_TEXT_NODE:
    case wxXML_CDATA_SECTION_NODE:
    {
        const wxString text = Quoted(node.GetContent().Strip(wxString::both));
        if (dropped == 0)
            return wxString::Format(_("reading stops at the text %s, which is not a QUESTION: "
                                      "no QUESTION follows, so nothing is lost yet"),
                                    text);
        return wxString::Format(wxPLURAL("reading stops at the text %s, which is not a QUESTION: "
                                         "the QUESTION after it is ignored",
                                         "reading stops at the text %s, which is not a QUESTION: "
                                         "the %zu QUESTION elements after it are ignored",
                                         dropped),
                                text, dropped);
    }
    default:
        if (dropped == 0)
            return _("reading stops at a node that is not a QUESTION: "
                     "no QUESTION follows, so nothing is lost yet");
        return wxString::Format(wxPLURAL("reading stops at a node that is not a QUESTION: "
                                         "the QUESTION after it is ignored",
                                         "reading stops at a node that is not a QUESTION: "
                                         "the %zu QUESTION elements after it are ignored",
                                         dropped),
                                dropped);
    }
}

size_t QuestionsFrom(const wxXmlNode* node)
{
    size_t count = 0;
    for (; node; node = node->GetNext())
        count += node->GetType() == wxXML_ELEMENT_NODE && IsQuizName(node->GetName(), "QUESTION");
    return count;
}

// "00", " 0", "0 " or a full-width zero: meant as the end, but not "0".
bool LooksLikeEnd(const wxString& target)
{
    bool zeros = false;
    for (const wxUniChar c : target)
    {
        if (c == '0' || c == 0xFF10)
            zeros = true;
        else if (!IsBlank(c))
            return false;
    }
    return zeros && target != QUIZ_END_TARGET;
}

} // namespace

bool IsBlank(wxUniChar c)
{
    switch (c.GetValue())
    {
    case ' ': case '\t': case '\n': case '\r': case '\f': case '\v':
    case 0xA0:    // no-break space
    case 0x3000:  // ideographic (full-width) space
    case 0xFEFF:  // byte order mark, left by some editors
        return true;
    default:
        return false;
    }
}

bool HasOuterBlanks(const wxString& value)
{
    return !value.empty() && (IsBlank(value[0]) || IsBlank(value.Last()));
}

void ReadRecorder::Pend(long line, Severity severity, const char* code, Sentence sentence,
                        Sentence windowSentence, int answer)
{
    m_pending.push_back(Pending{line, severity, code, std::move(sentence), std::move(windowSentence), answer});
}

void ReadRecorder::OnWrongRoot(const wxXmlNode& root)
{
    m_wrongRoot = true;
    m_findings.push_back(Finding{root.GetLineNumber(), Severity::Error, "wrong-root",
        wxString::Format(_("the root element is %s, not <questions>: no question is read"), Tag(root))});
}

void ReadRecorder::OnReadingStopped(const wxXmlNode& node)
{
    m_findings.push_back(Finding{FirstVisibleLine(node), Severity::Warning, "reading-stopped",
                                 StoppedSentence(node, QuestionsFrom(node.GetNext()))});
}

void ReadRecorder::CheckTargetForm(const wxXmlNode& gotoElement, const wxString& target)
{
    const long line = gotoElement.GetLineNumber();
    const int answer = AnswerElement();
    const wxString shown = Quoted(target);
    if (LooksLikeEnd(target))
        Pend(line, Severity::Warning, "target-like-end", [shown](const wxString& question) {
            return wxString::Format(
                _("question %s: GOTO %s looks like the end of the quiz, but only exactly \"0\" ends it"),
                question, shown);
        }, [shown](const wxString& question) {
            return wxString::Format(_("question %s: an answer leads to %s, which looks like the end of "
                                      "the quiz, but only exactly \"0\" ends it"),
                                    question, shown);
        }, answer);
    else if (HasOuterBlanks(target))
        Pend(line, Severity::Warning, "target-blanks", [shown](const wxString& question) {
            return wxString::Format(
                _("question %s: GOTO %s has blanks around it, and IDs are compared exactly"),
                question, shown);
        }, [shown](const wxString& question) {
            return wxString::Format(_("question %s: an answer leads to %s, which has blanks around it, "
                                      "and IDs are compared exactly"),
                                    question, shown);
        }, answer);
}

void ReadRecorder::OnAnswer(const wxXmlNode& element, const Answer& answer, bool borrowedText,
                            bool borrowedTarget)
{
    const wxXmlNode* gotoElement = LastQuizChild(element, "GOTO");
    m_pendingAnswerElements.push_back(m_answerElements++);
    m_pendingTargetLines.push_back(gotoElement ? gotoElement->GetLineNumber()
                                               : element.GetLineNumber());
    if (gotoElement)
        CheckTargetForm(*gotoElement, answer.target);

    if (!borrowedText && !borrowedTarget)
        return;  // the common case, on every answer of every read: nothing to say
    const long line = element.GetLineNumber();
    const wxString text = Quoted(answer.text);
    const wxString target = Quoted(answer.target);
    const int place = AnswerElement();
    if (borrowedText && borrowedTarget)
        Pend(line, Severity::Warning, "repeated-answer", [text, target](const wxString& question) {
            return wxString::Format(_("question %s: ANSWER has neither A nor GOTO: it repeats the "
                                      "answer %s (GOTO %s) of an earlier ANSWER"),
                                    question, text, target);
        }, [text, target](const wxString& question) {
            return wxString::Format(_("question %s: an answer has neither a text nor a target: it "
                                      "repeats the answer %s (which leads to %s) of an earlier one"),
                                    question, text, target);
        }, place);
    else if (borrowedText)
        Pend(line, Severity::Warning, "borrowed-text", [text](const wxString& question) {
            return wxString::Format(
                _("question %s: ANSWER has no A: it takes the text %s of an earlier ANSWER"), question,
                text);
        }, {}, place);
    else if (borrowedTarget)
        Pend(line, Severity::Warning, "borrowed-target", [target](const wxString& question) {
            return wxString::Format(
                _("question %s: ANSWER has no GOTO: it takes the target %s of an earlier ANSWER"),
                question, target);
        }, [target](const wxString& question) {
            return wxString::Format(
                _("question %s: an answer has no target of its own: it leads to %s, as an earlier one "
                  "does"),
                question, target);
        }, place);
}

void ReadRecorder::OnAnswerDropped(const wxXmlNode& element, const wxString& text,
                                   const wxString& target)
{
    ++m_answerElements;
    // Which of the two is missing or empty; the reader drops an answer that
    // lacks either.
    const char* why;
    const char* windowWhy = nullptr;
    if (!text.empty())
    {
        why = LastQuizChild(element, "GOTO") ? wxTRANSLATE("question %s: ANSWER is dropped: its GOTO is empty")
                                         : wxTRANSLATE("question %s: ANSWER is dropped: it has no GOTO");
        windowWhy = wxTRANSLATE("question %s: an answer is left out: it does not say where it leads");
    }
    else if (!target.empty())
        why = LastQuizChild(element, "A") ? wxTRANSLATE("question %s: ANSWER is dropped: its A is empty")
                                      : wxTRANSLATE("question %s: ANSWER is dropped: it has no A");
    else
    {
        why = wxTRANSLATE("question %s: ANSWER is dropped: its A and its GOTO are missing or empty");
        windowWhy = wxTRANSLATE("question %s: an answer is left out: it has neither a text nor a target");
    }
    Sentence windowSentence;
    if (windowWhy)
        windowSentence = [windowWhy](const wxString& question) {
            return wxString::Format(wxGetTranslation(windowWhy), question);
        };
    Pend(element.GetLineNumber(), Severity::Warning, "answer-dropped",
         [why](const wxString& question) { return wxString::Format(wxGetTranslation(why), question); },
         std::move(windowSentence), AnswerElement());
}

void ReadRecorder::ReportIgnored(const wxXmlNode& element, const wxXmlNode& parent)
{
    const char* sentence = IgnoredSentence(element);
    const wxString tag = Tag(element);
    const wxString parentTag = Tag(parent);
    Pend(element.GetLineNumber(), Severity::Warning, "ignored-element",
         [sentence, tag, parentTag](const wxString& question) {
             return wxString::Format(wxGetTranslation(sentence), question, tag, parentTag);
         });
}

void ReadRecorder::OnIgnored(const wxXmlNode& element, const wxXmlNode& parent)
{
    if (IsQuizElement(element))
    {
        ReportIgnored(element, parent);
        return;
    }
    // Elements of its own are the author's business, but quiz elements
    // wrapped in them are lost; nesting is bounded, yet walked without
    // recursion all the same.
    std::vector<const wxXmlNode*> stack{element.GetChildren()};
    while (!stack.empty())
    {
        const wxXmlNode* node = stack.back();
        stack.pop_back();
        if (!node)
            continue;
        stack.push_back(node->GetNext());
        if (IsQuizElement(*node))
            ReportIgnored(*node, *node->GetParent());
        else
            stack.push_back(node->GetChildren());
    }
}

void ReadRecorder::OnQuestion(const wxXmlNode& element, const Question& question,
                              const Question* displaced)
{
    const long line = element.GetLineNumber();
    const wxString name = Quoted(question.id);
    const size_t firstFinding = m_findings.size();
    if (question.id.empty())
        m_findings.push_back(Finding{line, Severity::Warning, "missing-id",
            _("QUESTION has no ID (or an empty one): no answer can lead to it")});
    else if (HasOuterBlanks(question.id))
    {
        m_findings.push_back(Finding{line, Severity::Warning, "id-blanks",
            wxString::Format(_("question %s has blanks around its ID, and a GOTO must repeat them exactly"),
                             name)});
        m_findings.back().windowMessage = wxString::Format(
            _("question %s has blanks around its ID, and an answer leading to it must repeat them exactly"),
            name);
    }
    if (question.text.empty())
        m_findings.push_back(Finding{line, Severity::Warning, "missing-text",
            wxString::Format(_("question %s has no Q (or an empty one): players see no question"), name)});
    if (displaced)
    {
        RecordedQuestion& earlier = m_questions[IndexOf(*displaced)];
        earlier.live = false;
        m_findings.push_back(Finding{line, Severity::Warning, "duplicate-id",
            wxString::Format(_("question %s is defined again: this later one is used, the one at line "
                               "%ld is ignored"), name, earlier.line)});
    }
    for (const Pending& pending : m_pending)
    {
        m_findings.push_back(Finding{pending.line, pending.severity, pending.code, pending.sentence(name)});
        if (pending.windowSentence)
            m_findings.back().windowMessage = pending.windowSentence(name);
        m_findings.back().answer = pending.answer;
    }
    m_pending.clear();
    for (size_t i = firstFinding; i < m_findings.size(); ++i)
        m_findings[i].questionId = question.id;

    m_indexOf[&question] = m_questions.size();
    m_questions.push_back(RecordedQuestion{&question, line, std::move(m_pendingTargetLines), true,
                                           std::move(m_pendingAnswerElements)});
    m_pendingTargetLines.clear();
    m_pendingAnswerElements.clear();
    m_answerElements = 0;
    // The reader stores exactly the answers it announced, in order.
    m_questions.back().targetLines.resize(question.answers.size(), line);
    m_questions.back().answerElements.resize(question.answers.size(), -1);
}

void ReadRecorder::OnResults(const ResultsRead& read, const QuizResults& results)
{
    m_results = results;
    for (size_t i = 0; i + 1 < read.titles.size(); ++i)
        m_findings.push_back(Finding{read.titles[i]->GetLineNumber(), Severity::Warning, "title-repeated",
            _("the quiz has another TITLE after this one: only the last is used")});
    for (const wxXmlNode* question : read.unread)
    {
        const wxXmlNode* id = LastQuizChild(*question, "ID");
        m_findings.push_back(Finding{question->GetLineNumber(), Severity::Warning, "question-after-results",
            wxString::Format(_("question %s comes after the title or results and is never read: "
                               "questions go before <TITLE> and <RESULT>"),
                             Quoted(id ? LeafValue(*id) : wxString()))});
    }
    for (size_t i = 0; i < results.results.size(); ++i)
    {
        const QuizResult& result = results.results[i];
        if (result.name.empty())
        {
            m_findings.push_back(Finding{result.line, Severity::Warning, "result-no-name",
                _("RESULT has no NAME (or an empty one): no ending can name it")});
            m_findings.back().result = static_cast<int>(i);
            continue;
        }
        const QuizResult* first = results.Find(result.name);
        if (first != &result)
        {
            m_findings.push_back(Finding{result.line, Severity::Warning, "duplicate-result",
                wxString::Format(_("result %s is defined again: players get the one at line %ld"),
                                 Quoted(result.name), first->line)});
            m_findings.back().result = static_cast<int>(i);
        }
        if (!result.hasText)
        {
            m_findings.push_back(Finding{result.line, Severity::Warning, "result-no-text",
                wxString::Format(_("result %s has no TEXT (or an empty one): players see only its name"),
                                 Quoted(result.name))});
            m_findings.back().result = static_cast<int>(i);
        }
    }
}

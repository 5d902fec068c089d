// Recording what the quiz reader does, node by node.
#include "quiz/read_recorder.h"

#include "quiz/question_table.h"

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

// The last child element named `upper`: the one whose value the reader keeps.
const wxXmlNode* LastChild(const wxXmlNode& parent, const char* upper)
{
    const wxXmlNode* found = nullptr;
    for (const wxXmlNode* child = parent.GetChildren(); child; child = child->GetNext())
        if (child->GetType() == wxXML_ELEMENT_NODE && IsQuizName(child->GetName(), upper))
            found = child;
    return found;
}

wxString Tag(const wxXmlNode& element)
{
    return wxS("<") + element.GetName() + wxS(">");
}

// Where a misplaced quiz element belongs, to tell the author how to fix it.
wxString Placement(const wxXmlNode& element)
{
    const wxString& name = element.GetName();
    if (IsQuizName(name, "QUESTION"))
        return wxS("questions belong directly under the root element");
    if (IsQuizName(name, "A") || IsQuizName(name, "GOTO"))
        return wxS("it belongs inside an <ANSWER>");
    return wxS("it belongs directly under a <QUESTION>");
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

wxString Describe(const wxXmlNode& node)
{
    switch (node.GetType())
    {
    case wxXML_ELEMENT_NODE:
        return Tag(node);
    case wxXML_TEXT_NODE:
        return wxS("the text ") + Quoted(node.GetContent().Strip(wxString::both));
    case wxXML_CDATA_SECTION_NODE:
        return wxS("a CDATA section");
    default:
        return wxS("a node that is not a QUESTION");
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

bool IsQuizName(const wxString& name, const char* upper)
{
    const size_t length = std::strlen(upper);
    if (name.length() != length)
        return false;
    for (size_t i = 0; i < length; ++i)
    {
        unsigned c = name[i].GetValue();
        if (c >= 'a' && c <= 'z')
            c -= 'a' - 'A';
        if (c != static_cast<unsigned char>(upper[i]))
            return false;
    }
    return true;
}

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

void ReadRecorder::Pend(long line, Severity severity, const char* code, const wxString& message)
{
    m_pending.push_back(Finding{line, severity, code, message});
}

void ReadRecorder::OnWrongRoot(const wxXmlNode& root)
{
    m_wrongRoot = true;
    m_findings.push_back(Finding{root.GetLineNumber(), Severity::Error, "wrong-root",
        wxS("the root element is ") + Tag(root) + wxS(", not <questions>: no question is read")});
}

void ReadRecorder::OnReadingStopped(const wxXmlNode& node)
{
    const size_t dropped = QuestionsFrom(node.GetNext());
    wxString consequence;
    if (dropped == 0)
        consequence = wxS("no QUESTION follows, so nothing is lost yet");
    else if (dropped == 1)
        consequence = wxS("the QUESTION after it is ignored");
    else
        consequence = wxString::Format(wxS("the %zu QUESTION elements after it are ignored"), dropped);
    m_findings.push_back(Finding{FirstVisibleLine(node), Severity::Warning, "reading-stopped",
        wxS("reading stops at ") + Describe(node) + wxS(", which is not a QUESTION: ") + consequence});
}

void ReadRecorder::CheckTargetForm(const wxXmlNode& gotoElement, const wxString& target)
{
    const long line = gotoElement.GetLineNumber();
    if (LooksLikeEnd(target))
        Pend(line, Severity::Warning, "target-like-end",
             wxS("GOTO ") + Quoted(target) + wxS(" looks like the end of the quiz, but only "
                                                 "exactly \"0\" ends it"));
    else if (HasOuterBlanks(target))
        Pend(line, Severity::Warning, "target-blanks",
             wxS("GOTO ") + Quoted(target) + wxS(" has blanks around it, and IDs are compared "
                                                 "exactly"));
}

void ReadRecorder::OnAnswer(const wxXmlNode& element, const Answer& answer, bool borrowedText,
                            bool borrowedTarget)
{
    const wxXmlNode* gotoElement = LastChild(element, "GOTO");
    m_pendingTargetLines.push_back(gotoElement ? gotoElement->GetLineNumber()
                                               : element.GetLineNumber());
    if (gotoElement)
        CheckTargetForm(*gotoElement, answer.target);

    const long line = element.GetLineNumber();
    if (borrowedText && borrowedTarget)
        Pend(line, Severity::Warning, "repeated-answer",
             wxS("ANSWER has neither A nor GOTO: it repeats the answer ") + Quoted(answer.text) +
                 wxS(" (GOTO ") + Quoted(answer.target) + wxS(") of an earlier ANSWER"));
    else if (borrowedText)
        Pend(line, Severity::Warning, "borrowed-text",
             wxS("ANSWER has no A: it takes the text ") + Quoted(answer.text) +
                 wxS(" of an earlier ANSWER"));
    else if (borrowedTarget)
        Pend(line, Severity::Warning, "borrowed-target",
             wxS("ANSWER has no GOTO: it takes the target ") + Quoted(answer.target) +
                 wxS(" of an earlier ANSWER"));
}

void ReadRecorder::OnAnswerDropped(const wxXmlNode& element, const wxString& text,
                                   const wxString& target)
{
    wxString why;
    if (text.empty())
        why = LastChild(element, "A") ? wxS("its A is empty") : wxS("it has no A");
    if (target.empty())
    {
        const wxString gotoWhy = LastChild(element, "GOTO") ? wxS("its GOTO is empty")
                                                            : wxS("it has no GOTO");
        why = why.empty() ? gotoWhy : why + wxS(" and ") + gotoWhy;
    }
    Pend(element.GetLineNumber(), Severity::Warning, "answer-dropped",
         wxS("ANSWER is dropped: ") + why);
}

void ReadRecorder::ReportIgnored(const wxXmlNode& element, const wxXmlNode& parent)
{
    Pend(element.GetLineNumber(), Severity::Warning, "ignored-element",
         Tag(element) + wxS(" inside ") + Tag(parent) + wxS(" is ignored: ") + Placement(element));
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
    const wxString name = QuestionName(question.id);
    const size_t firstFinding = m_findings.size();
    if (question.id.empty())
        m_findings.push_back(Finding{line, Severity::Warning, "missing-id",
            wxS("QUESTION has no ID (or an empty one): no answer can lead to it")});
    else if (HasOuterBlanks(question.id))
        m_findings.push_back(Finding{line, Severity::Warning, "id-blanks",
            name + wxS(" has blanks around its ID, and a GOTO must repeat them exactly")});
    if (question.text.empty())
        m_findings.push_back(Finding{line, Severity::Warning, "missing-text",
            name + wxS(" has no Q (or an empty one): players see no question")});
    if (displaced)
    {
        RecordedQuestion& earlier = m_questions[IndexOf(*displaced)];
        earlier.live = false;
        m_findings.push_back(Finding{line, Severity::Warning, "duplicate-id",
            wxString::Format(wxS("%s is defined again: this later one is used, the one at line "
                                 "%ld is ignored"), name, earlier.line)});
    }
    for (Finding& finding : m_pending)
    {
        finding.message = name + wxS(": ") + finding.message;
        m_findings.push_back(std::move(finding));
    }
    m_pending.clear();
    for (size_t i = firstFinding; i < m_findings.size(); ++i)
        m_findings[i].questionId = question.id;

    m_indexOf[&question] = m_questions.size();
    m_questions.push_back(RecordedQuestion{&question, line, std::move(m_pendingTargetLines), true});
    m_pendingTargetLines.clear();
    // The reader stores exactly the answers it announced, in order.
    m_questions.back().targetLines.resize(question.answers.size(), line);
}

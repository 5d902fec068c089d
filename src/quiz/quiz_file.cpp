// Quiz file loading and the record-building rules.
#include "quiz/quiz_file.h"

#include "quiz/question_table.h"
#include "quiz/quiz_rules.h"
#include "quiz/xml_nesting.h"

#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/xml/xml.h>

#include <memory>
#include <vector>

const wxString QUIZ_ENTRY_ID = wxS("1001");
const wxString QUIZ_END_TARGET = wxS("0");


bool ReadQuizFile(const wxString& path, std::vector<char>& bytes)
{
    // A folder reports a meaningless length, and a pipe or device would
    // block or never end: only regular files are quiz files.
    wxStructStat status;
    if (wxStat(path, &status) == 0 && !S_ISREG(status.st_mode))
    {
        wxLogError(_("\"%s\" is not a quiz file but a folder or device."), path);
        return false;
    }
    wxFile file;
    if (!file.Open(path))
        return false;
    const wxFileOffset length = file.Length();
    if (length < 0)
        return false;
    if (static_cast<unsigned long long>(length) > QUIZ_MAX_FILE_BYTES)
    {
        wxLogError(_("The quiz file \"%s\" is too large to load."), path);
        return false;
    }
    bytes.resize(static_cast<size_t>(length));
    return length == 0 || file.Read(bytes.data(), bytes.size()) == static_cast<ssize_t>(length);
}

namespace
{

// Refuses what the toolkit's XML code handles badly (see XmlShape), then
// parses into `document`.
bool ParseQuiz(wxXmlDocument& document, const char* data, size_t size, const wxString& name)
{
    const XmlShape shape = MeasureXmlShape(data, size, QUIZ_MAX_NESTING);
    if (shape.depth > QUIZ_MAX_NESTING)
    {
        wxLogError(_("The quiz file \"%s\" is nested more than %u levels deep and was not loaded."),
                   name, QUIZ_MAX_NESTING);
        return false;
    }
    if (shape.textWork > QUIZ_MAX_PARSE_WORK || shape.markupWork > QUIZ_MAX_PARSE_WORK)
    {
        wxLogError(_("The quiz file \"%s\" holds a text or tag too long to read and was not loaded."),
                   name);
        return false;
    }
    wxMemoryInputStream stream(data, size);
    return document.Load(stream, wxS("UTF-8"), 0);
}

// Takes values out of the tree into records: copies them, or moves them when
// nothing will look at the tree again (the loader's own, unobserved read),
// which spares a copy of every text of the quiz. The toolkit's string has no
// move constructor (std::move would copy), so moving is a swap.
class ValueTaker
{
public:
    explicit ValueTaker(bool move) : m_move(move) {}

    // `value` must belong to the tree: a value an ANSWER borrowed from an
    // earlier one lives in that answer's record and is only ever copied.
    wxString TakeFromTree(const wxString& value) const
    {
        wxString taken;
        if (m_move && &value != &QUIZ_NO_VALUE)
            taken.swap(const_cast<wxString&>(value));
        else
            taken = value;
        return taken;
    }

private:
    bool m_move;
};

struct AnswerStrings
{
    // Belong to the QUESTION, not to one ANSWER: an ANSWER without A or GOTO
    // takes what an earlier ANSWER of the same question set. They point at
    // the value in the tree, or at the record it went into.
    const wxString* text = &QUIZ_NO_VALUE;
    const wxString* target = &QUIZ_NO_VALUE;
};

struct Reading
{
    ValueTaker taker;
    QuizReadObserver* observer;
};

void ReadAnswer(const wxXmlNode& element, AnswerStrings& strings, Question& question,
                const Reading& reading)
{
    QuizReadObserver* const observer = reading.observer;
    bool ownText = false;
    bool ownTarget = false;
    for (const wxXmlNode* child = element.GetChildren(); child; child = child->GetNext())
    {
        if (IsQuizElement(*child, "A"))
        {
            strings.text = &LeafValue(*child);
            ownText = true;
        }
        else if (IsQuizElement(*child, "GOTO"))
        {
            strings.target = &LeafValue(*child);
            ownTarget = true;
        }
        else if (observer && child->GetType() == wxXML_ELEMENT_NODE)
            observer->OnIgnored(*child, element);
    }
    if (strings.text->empty() || strings.target->empty())
    {
        if (observer)
            observer->OnAnswerDropped(element, *strings.text, *strings.target);
        return;
    }
    // Capacity was reserved: the answers never move, so later ANSWERs can
    // borrow from the record.
    const ValueTaker& taker = reading.taker;
    question.answers.push_back(
        Answer{ownText ? taker.TakeFromTree(*strings.text) : *strings.text,
               ownTarget ? taker.TakeFromTree(*strings.target) : *strings.target});
    strings.text = &question.answers.back().text;
    strings.target = &question.answers.back().target;
    if (observer)
        observer->OnAnswer(element, question.answers.back(), !ownText, !ownTarget);
}

std::unique_ptr<Question> ReadQuestion(const wxXmlNode& element, const Reading& reading)
{
    auto question = std::make_unique<Question>();
    AnswerStrings strings;
    const wxString* id = &QUIZ_NO_VALUE;
    const wxString* text = &QUIZ_NO_VALUE;
    size_t answers = 0;
    for (const wxXmlNode* child = element.GetChildren(); child; child = child->GetNext())
        answers += IsQuizElement(*child, "ANSWER");
    question->answers.reserve(answers);
    for (const wxXmlNode* child = element.GetChildren(); child; child = child->GetNext())
    {
        if (IsQuizElement(*child, "ID"))
            id = &LeafValue(*child);
        else if (IsQuizElement(*child, "Q"))
            text = &LeafValue(*child);
        else if (IsQuizElement(*child, "ANSWER"))
            ReadAnswer(*child, strings, *question, reading);
        else if (reading.observer && child->GetType() == wxXML_ELEMENT_NODE)
            reading.observer->OnIgnored(*child, element);
    }
    question->id = reading.taker.TakeFromTree(*id);
    question->text = reading.taker.TakeFromTree(*text);
    return question;
}

void ReadQuestionsFrom(const wxXmlNode& root, QuestionTable& table, const Reading& reading)
{
    QuizReadObserver* const observer = reading.observer;
    if (!QuizNameIs(root.GetName(), "QUESTIONS"))
    {
        if (observer)
            observer->OnWrongRoot(root);
        return;
    }
    size_t questions = 0;
    for (const wxXmlNode* child = root.GetChildren(); child; child = child->GetNext())
        questions += child->GetType() == wxXML_ELEMENT_NODE;
    table.Reserve(questions);
    const wxXmlNode* child = root.GetChildren();
    for (; child; child = child->GetNext())
    {
        // A comment or processing instruction is not quiz content; ending the
        // reading there would silently drop every later question.
        if (IsMarkupAside(*child))
        {
            if (observer)
                observer->OnSkipped(*child);
            continue;
        }
        if (!IsQuizElement(*child, "QUESTION"))
        {
            if (observer && !StartsResults(*child))
                observer->OnReadingStopped(*child);
            break;
        }
        std::unique_ptr<Question> record = ReadQuestion(*child, reading);
        const Question* displaced = table.FindQuestion(record->id);
        const Question& stored = table.Store(std::move(record));
        if (observer)
            observer->OnQuestion(*child, stored, displaced);
    }
    const ResultsRead results = ReadableResults(child);
    table.SetResults(ReadResults(results));
    if (observer)
        observer->OnResults(results, table.Results());
}

// Reads the questions of a document the loader just filled. Unless an
// observer reads them, the values are moved out of the tree: nothing reads
// it afterwards.
void ReadLoaded(const wxXmlDocument& document, QuestionTable& table, QuizReadObserver* observer)
{
    const bool move = observer == nullptr || !observer->ReadsTreeValues();
    if (const wxXmlNode* root = document.GetRoot())
        ReadQuestionsFrom(*root, table, Reading{ValueTaker(move), observer});
}

} // namespace

void ReadQuestions(const wxXmlNode& root, QuestionTable& table, QuizReadObserver* observer)
{
    ReadQuestionsFrom(root, table, Reading{ValueTaker(false), observer});
}

std::unique_ptr<Question> ReadQuestionElement(const wxXmlNode& element)
{
    return ReadQuestion(element, Reading{ValueTaker(false), nullptr});
}

bool LoadQuiz(wxXmlDocument& document, const wxString& path, QuestionTable& table,
              QuizReadObserver* observer)
{
    std::vector<char> bytes;
    if (!ReadQuizFile(path, bytes) || !ParseQuiz(document, bytes.data(), bytes.size(), path))
        return false;
    std::vector<char>().swap(bytes);  // the tree holds it all now
    ReadLoaded(document, table, observer);
    return true;
}

bool LoadQuizBytes(wxXmlDocument& document, const char* data, size_t size, const wxString& name,
                   QuestionTable& table, QuizReadObserver* observer)
{
    if (!ParseQuiz(document, data, size, name))
        return false;
    ReadLoaded(document, table, observer);
    return true;
}

bool ParseQuizBytes(wxXmlDocument& document, const char* data, size_t size, const wxString& name)
{
    return ParseQuiz(document, data, size, name);
}

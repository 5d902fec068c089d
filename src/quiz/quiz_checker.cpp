// Loading a quiz for checking: what is refused before loading, the load
// failures the toolkit logs, and the reading and analysis of what loaded.
#include "quiz/quiz_checker.h"

#include "quiz/edition_check.h"
#include "quiz/question_table.h"
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_file.h"
#include "quiz/read_recorder.h"

#include <wx/file.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include <functional>
#include <new>
#include <vector>

namespace
{

// Collects what the toolkit logs while it is the active target, so that a
// load failure is reported as a finding instead of going to the terminal.
class LogCapture : public wxLog
{
public:
    LogCapture() : m_previous(wxLog::SetActiveTarget(this)) {}
    ~LogCapture() override { wxLog::SetActiveTarget(m_previous); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    struct Message
    {
        wxLogLevel level;
        wxString text;
    };
    const std::vector<Message>& Messages() const { return m_messages; }

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo&) override
    {
        if (level <= wxLOG_Warning)
            m_messages.push_back(Message{level, msg});
    }

private:
    wxLog* m_previous;
    std::vector<Message> m_messages;
};

// The toolkit's parser says "XML parsing error: '<what>' at line <n>", in
// the language of its own catalogue; its line is the finding's line.
Finding LoadFailure(const wxString& message)
{
    // The toolkit's own text, looked up as it looks it up; not ours to
    // translate, so out of reach of the extraction of our texts.
    const wxString parserSays = wxS("XML parsing error: '%s' at line %d");
    const wxString& pattern = wxGetTranslation(parserSays);
    const size_t what = pattern.find(wxS("%s"));
    const size_t number = pattern.find(wxS("%d"));
    if (what != wxString::npos && number != wxString::npos && what < number)
    {
        const wxString prefix = pattern.substr(0, what);
        const wxString lineMark = pattern.substr(what + 2, number - what - 2);
        const wxString suffix = pattern.substr(number + 2);
        const size_t mark = message.rfind(lineMark);
        long line = 0;
        if (message.StartsWith(prefix) && message.EndsWith(suffix) && mark != wxString::npos &&
            mark >= prefix.length() &&
            message.substr(mark + lineMark.length(),
                           message.length() - mark - lineMark.length() - suffix.length())
                .ToLong(&line))
            return Finding{line, Severity::Error, "not-xml",
                           wxString::Format(_("not well-formed XML: %s"),
                                            message.substr(prefix.length(), mark - prefix.length()))};
    }
    return Finding{1, Severity::Error, "load-failed", message};
}

void ReportLog(const LogCapture& log, bool loaded, FindingList& findings)
{
    for (const LogCapture::Message& message : log.Messages())
    {
        if (!loaded && message.level <= wxLOG_Error)
            findings.push_back(LoadFailure(message.text));
        else
            findings.push_back(Finding{1, Severity::Warning, "load-message", message.text});
    }
    if (!loaded && findings.empty())
        findings.push_back(Finding{1, Severity::Error, "load-failed",
                                   _("the file could not be loaded")});
}

using Loader = std::function<bool(wxXmlDocument&, QuestionTable&, QuizReadObserver*)>;

// The findings of a quiz that was read: its own, then how it stands with
// its other language editions.
QuizSummary Analyse(const wxString& path, const QuestionTable& table, const ReadRecorder& recorder,
                    FindingList& findings, QuizOutline* outline)
{
    const QuizSummary summary = AnalyseQuiz(table, recorder, findings, outline);
    CompareEditions(path, recorder, findings);
    return summary;
}

FileReport Check(const Loader& load, const wxString& path, QuizOutline* outline)
{
    FileReport report;
    QuestionTable table;
    ReadRecorder recorder(report.findings);
    bool loaded;
    {
        // The tree is only needed while reading; free it before the analysis.
        wxXmlDocument document;
        LogCapture log;
        loaded = load(document, table, &recorder);
        ReportLog(log, loaded, report.findings);
    }
    if (loaded && !recorder.WrongRoot())
        report.summary = Analyse(path, table, recorder, report.findings, outline);
    report.results = recorder.Results();
    SortByLine(report.findings);
    return report;
}

FileReport Refused(const Finding& finding)
{
    FileReport report;
    report.findings.push_back(finding);
    return report;
}

// Why a load failed, for a message box: the file, then what the loader or
// the parser said, one message a line.
wxString LoadError(const wxString& path, const LogCapture& log)
{
    wxString reasons;
    for (const LogCapture::Message& message : log.Messages())
        if (message.level <= wxLOG_Error)
            reasons += wxS("\n") + message.text;
    if (reasons.empty())
        reasons = wxS("\n") + _("The file could not be read.");
    return wxString::Format(_("The quiz file \"%s\" could not be loaded."), path) + reasons;
}

} // namespace

FileReport CheckQuizFile(const wxString& path, QuizOutline* outline)
{
    // The loader itself refuses folders, devices, oversized files and shapes
    // the XML parser cannot cope with, and says why.
    try
    {
        return Check([&path](wxXmlDocument& document, QuestionTable& table,
                             QuizReadObserver* observer) {
            return LoadQuiz(document, path, table, observer);
        }, path, outline);
    }
    catch (const std::bad_alloc&)
    {
        if (outline)
            *outline = QuizOutline{};
        return Refused(Finding{1, Severity::Error, "load-failed",
                               _("there is not enough memory to load this file")});
    }
}

FileReport CheckQuizBytes(const char* data, size_t size, const wxString& name,
                          QuizOutline* outline)
{
    return Check([&](wxXmlDocument& document, QuestionTable& table, QuizReadObserver* observer) {
        return LoadQuizBytes(document, data, size, name, table, observer);
    }, name, outline);
}

namespace
{

// LoadCheckedQuiz's work, with `load` reading the quiz into the table.
bool LoadChecked(const Loader& load, const wxString& path, QuestionTable& table,
                 QuizFileCheck& check, QuizOutline* outline)
{
    check = QuizFileCheck{};
    FindingList& findings = check.report.findings;
    ReadRecorder recorder(findings);
    bool loaded = false;
    try
    {
        LogCapture log;
        wxXmlDocument document;
        loaded = load(document, table, &recorder);
        ReportLog(log, loaded, findings);
        if (!loaded)
            check.error = LoadError(path, log);
        else if (!recorder.WrongRoot())
            check.report.summary = Analyse(path, table, recorder, findings, outline);
        check.report.results = recorder.Results();
    }
    catch (const std::bad_alloc&)
    {
        findings.assign(1, Finding{1, Severity::Error, "load-failed",
                                   _("there is not enough memory to load this file")});
        check.error = wxString::Format(_("The quiz file \"%s\" could not be loaded."), path) +
                      wxS("\n") + _("There is not enough memory to load it.");
        return false;
    }
    SortByLine(findings);
    if (check.Loaded())
    {
        // Without an entry that leads anywhere there is nothing to play;
        // for a file being edited that is a broken save, not a new quiz.
        const Question* entry = table.FindQuestion(QUIZ_ENTRY_ID);
        if (!entry || entry->answers.empty())
            check.error = wxString::Format(
                _("The quiz file \"%s\" has no question %s with an answer, where every quiz starts."),
                path, QUIZ_ENTRY_ID);
    }
    return check.Loaded();
}

} // namespace

bool LoadCheckedQuiz(const wxString& path, QuestionTable& table, QuizFileCheck& check,
                     QuizOutline* outline)
{
    return LoadChecked([&path](wxXmlDocument& document, QuestionTable& into,
                               QuizReadObserver* observer) {
        return LoadQuiz(document, path, into, observer);
    }, path, table, check, outline);
}

bool LoadCheckedQuizBytes(const char* data, size_t size, const wxString& path,
                          QuestionTable& table, QuizFileCheck& check, QuizOutline* outline)
{
    return LoadChecked([&](wxXmlDocument& document, QuestionTable& into,
                           QuizReadObserver* observer) {
        return LoadQuizBytes(document, data, size, path, into, observer);
    }, path, table, check, outline);
}

namespace
{

void ReadTree(const wxXmlDocument& document, QuestionTable& table, QuizReadObserver* observer)
{
    if (const wxXmlNode* root = document.GetRoot())
        ReadQuestions(*root, table, observer);
}

} // namespace

bool LoadCheckedQuizDocument(wxXmlDocument& document, const char* data, size_t size,
                             const wxString& path, QuestionTable& table, QuizFileCheck& check,
                             QuizOutline* outline)
{
    return LoadChecked([&](wxXmlDocument&, QuestionTable& into, QuizReadObserver* observer) {
        if (!ParseQuizBytes(document, data, size, path))
            return false;
        ReadTree(document, into, observer);
        return true;
    }, path, table, check, outline);
}

bool CheckQuizDocument(const wxXmlDocument& document, const wxString& path, QuestionTable& table,
                       QuizFileCheck& check, QuizOutline* outline)
{
    return LoadChecked([&](wxXmlDocument&, QuestionTable& into, QuizReadObserver* observer) {
        ReadTree(document, into, observer);
        return true;
    }, path, table, check, outline);
}

bool ReadQuizVersion(const wxString& path, std::vector<char>& bytes, QuizFileCheck& check)
{
    check = QuizFileCheck{};
    LogCapture log;
    bool read = false;
    try
    {
        read = ReadQuizFile(path, bytes);
    }
    catch (const std::bad_alloc&)
    {
        bytes = std::vector<char>();
    }
    if (read)
        return true;
    ReportLog(log, false, check.report.findings);
    check.error = LoadError(path, log);
    return false;
}

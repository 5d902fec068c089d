// Comparing a quiz with its other language editions.
#include "quiz/edition_check.h"

#include "quiz/content_digest.h"
#include "quiz/question_table.h"
#include "quiz/quiz_edition.h"
#include "quiz/quiz_balance.h"
#include "quiz/quiz_file.h"
#include "quiz/read_recorder.h"

#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>
#include <vector>

namespace
{

// The questions of one edition the application keeps, in document order,
// with the lines of each and of its answers' targets.
struct EditionQuestions
{
    struct Entry
    {
        const Question* question;
        long line;
        const std::vector<long>* targetLines;  // the GOTO's line, or the ANSWER's without one

        long TargetLine(size_t answer) const
        {
            return answer < targetLines->size() ? (*targetLines)[answer] : line;
        }
    };
    std::vector<Entry> live;
    std::unordered_map<wxString, size_t> byId;
    const QuizResults* results = nullptr;

    void Add(const Question& question, long line, const std::vector<long>& targetLines)
    {
        byId.emplace(question.id, live.size());
        live.push_back(Entry{&question, line, &targetLines});
    }
    const Entry* Find(const wxString& id) const
    {
        const auto found = byId.find(id);
        return found == byId.end() ? nullptr : &live[found->second];
    }
};

// The quiz being checked, as its reading recorded it.
EditionQuestions RecordedEdition(const ReadRecorder& recorder)
{
    EditionQuestions edition;
    for (const ReadRecorder::RecordedQuestion& question : recorder.Questions())
        if (question.live)
            edition.Add(*question.record, question.line, question.targetLines);
    edition.results = &recorder.Results();
    return edition;
}

// Another edition, read from its file as the application reads it.
class Edition : public QuizReadObserver
{
public:
    // False when the bytes cannot be read as a quiz; the file's own check
    // says why.
    bool Load(const std::vector<char>& bytes, const wxString& path)
    {
        wxLogNull quiet;
        try
        {
            wxXmlDocument document;
            if (!LoadQuizBytes(document, bytes.data(), bytes.size(), path, m_table, this) || m_wrongRoot)
                return false;
        }
        catch (const std::bad_alloc&)
        {
            return false;
        }
        for (const Entry& entry : m_entries)
            if (m_table.FindQuestion(entry.question->id) == entry.question)
                m_questions.Add(*entry.question, entry.line, entry.targetLines);
        m_questions.results = &m_table.Results();
        return true;
    }

    const EditionQuestions& Questions() const { return m_questions; }

    void OnWrongRoot(const wxXmlNode&) override { m_wrongRoot = true; }

    void OnAnswer(const wxXmlNode& element, const Answer&, bool, bool) override
    {
        long line = element.GetLineNumber();
        for (const wxXmlNode* child = element.GetChildren(); child; child = child->GetNext())
            if (child->GetType() == wxXML_ELEMENT_NODE &&
                child->GetName().IsSameAs(wxS("GOTO"), false))
                line = child->GetLineNumber();  // the last GOTO is the one kept
        m_pendingLines.push_back(line);
    }

    void OnQuestion(const wxXmlNode& element, const Question& question, const Question*) override
    {
        m_entries.push_back(Entry{&question, element.GetLineNumber(), std::move(m_pendingLines)});
        m_pendingLines.clear();
    }

private:
    struct Entry
    {
        const Question* question;
        long line;
        std::vector<long> targetLines;
    };

    QuestionTable m_table;
    std::vector<Entry> m_entries;
    std::vector<long> m_pendingLines;
    EditionQuestions m_questions;
    bool m_wrongRoot = false;
};

// The editions read lately, by path and content: an author editing one
// edition has every edit compared with the others, which do not change.
class EditionCache
{
public:
    // The edition in the file at `path`; null when it cannot be read as a quiz.
    std::shared_ptr<const Edition> Read(const wxString& path)
    {
        std::vector<char> bytes;
        {
            wxLogNull quiet;
            if (!ReadQuizFile(path, bytes))
                return nullptr;
        }
        ContentDigest digest;
        digest.Add(bytes.data(), bytes.size());
        {
            const std::lock_guard<std::mutex> hold(m_mutex);
            for (const Kept& kept : m_kept)
                if (kept.path == path && kept.digest == digest.Value() && kept.size == bytes.size())
                    return kept.edition;
        }
        auto edition = std::make_shared<Edition>();
        if (!edition->Load(bytes, path))
            return nullptr;
        const std::lock_guard<std::mutex> hold(m_mutex);
        m_kept.erase(std::remove_if(m_kept.begin(), m_kept.end(),
                                    [&](const Kept& kept) { return kept.path == path; }),
                     m_kept.end());
        if (m_kept.size() == KEPT)
            m_kept.erase(m_kept.begin());
        m_kept.push_back(Kept{path, digest.Value(), bytes.size(), edition});
        return edition;
    }

private:
    static constexpr size_t KEPT = 4;
    struct Kept
    {
        wxString path;
        std::uint64_t digest;
        size_t size;
        std::shared_ptr<const Edition> edition;
    };
    std::mutex m_mutex;
    std::vector<Kept> m_kept;  // the oldest first
};

EditionCache& Editions()
{
    static EditionCache cache;
    return cache;
}

// Other editions of `stem` in `folder`, by name, in a stable order.
std::vector<wxString> OtherEditions(const wxString& folder, const wxString& stem,
                                    const wxString& language)
{
    std::vector<wxString> names;
    wxLogNull quiet;
    wxDir dir(folder.empty() ? wxString(wxS(".")) : folder);
    if (!dir.IsOpened())
        return names;
    wxString name;
    for (bool more = dir.GetFirst(&name, wxEmptyString, wxDIR_FILES); more;
         more = dir.GetNext(&name))
    {
        wxString otherStem, otherLanguage;
        if (SplitEditionName(name, otherStem, otherLanguage) && otherStem == stem &&
            otherLanguage != language)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

wxString Where(const wxString& file, long line)
{
    return wxString::Format(wxS("%s:%ld"), file, line);
}

// Answer `i` (from 0) of question `name` leads elsewhere here (`ours`) than
// in the other edition (`theirs`, at `where`).
wxString TargetSentence(size_t i, const wxString& name, const wxString& ours, const wxString& theirs,
                        const wxString& where)
{
    if (ours == QUIZ_END_TARGET)
        return wxString::Format(_("answer %zu of question %s ends the quiz here but leads to %s in the "
                                  "other edition %s"),
                                i + 1, name, Quoted(theirs), where);
    if (theirs == QUIZ_END_TARGET)
        return wxString::Format(_("answer %zu of question %s leads to %s here but ends the quiz in the "
                                  "other edition %s"),
                                i + 1, name, Quoted(ours), where);
    return wxString::Format(_("answer %zu of question %s leads to %s here but to %s in the other "
                              "edition %s"),
                            i + 1, name, Quoted(ours), Quoted(theirs), where);
}

// Endings that correspond name corresponding results: the same place
// among each edition's results.
void CompareResultNamed(const EditionQuestions::Entry& here, const EditionQuestions::Entry& there,
                        const EditionQuestions& ours, const EditionQuestions& theirs, size_t i,
                        const wxString& other, FindingList& findings)
{
    const wxString& text = here.question->answers[i].text;
    const size_t mine = ours.results->IndexOf(ResultOf(text));
    const size_t yours = theirs.results->IndexOf(ResultOf(there.question->answers[i].text));
    // An ending naming no result has a finding of its own.
    if (mine == wxString::npos || yours == wxString::npos || mine == yours)
        return;
    findings.push_back(Finding{here.TargetLine(i), Severity::Warning, "edition-result",
        wxString::Format(_("answer %zu of question %s names result %zu (%s) here but result %zu (%s) "
                           "in the other edition %s"),
                         i + 1, Quoted(here.question->id), mine + 1,
                         Quoted(ours.results->results[mine].name), yours + 1,
                         Quoted(theirs.results->results[yours].name),
                         Where(other, there.TargetLine(i))),
        here.question->id});
}

void CompareQuestion(const EditionQuestions::Entry& here, const EditionQuestions::Entry& there,
                     const EditionQuestions& ourResults, const EditionQuestions& theirResults,
                     const wxString& other, FindingList& findings)
{
    const std::vector<Answer>& ours = here.question->answers;
    const std::vector<Answer>& theirs = there.question->answers;
    const wxString name = Quoted(here.question->id);
    if (ours.size() != theirs.size())
    {
        // Answers are matched by position; after an insertion every later
        // pair would differ, so they are not compared one by one.
        findings.push_back(Finding{here.line, Severity::Warning, "edition-answers",
            wxString::Format(wxPLURAL("question %s has %zu answer here and %zu in the other edition %s",
                                      "question %s has %zu answers here and %zu in the other edition %s",
                                      ours.size()),
                             name, ours.size(), theirs.size(), Where(other, there.line)),
            here.question->id});
        return;
    }
    const bool resultsCorrespond = !ourResults.results->Empty() &&
                                   ourResults.results->results.size() == theirResults.results->results.size();
    for (size_t i = 0; i < ours.size(); ++i)
    {
        if (ours[i].target == theirs[i].target)
        {
            if (resultsCorrespond && ours[i].target == QUIZ_END_TARGET)
                CompareResultNamed(here, there, ourResults, theirResults, i, other, findings);
            continue;
        }
        const bool oneEnds =
            (ours[i].target == QUIZ_END_TARGET) != (theirs[i].target == QUIZ_END_TARGET);
        findings.push_back(Finding{here.TargetLine(i), Severity::Warning,
            oneEnds ? "edition-ending" : "edition-target",
            TargetSentence(i, name, ours[i].target, theirs[i].target, Where(other, there.TargetLine(i))),
            here.question->id});
        findings.back().answer = static_cast<int>(i);
    }
}

void Compare(const EditionQuestions& here, const EditionQuestions& there, const wxString& other,
             FindingList& findings)
{
    const size_t ourCount = here.results->results.size();
    const size_t theirCount = there.results->results.size();
    if (ourCount != theirCount)
        findings.push_back(Finding{ourCount ? here.results->results.front().line : 1, Severity::Warning,
            "edition-results",
            wxString::Format(wxPLURAL("the quiz has %zu result here and %zu in the other edition %s",
                                      "the quiz has %zu results here and %zu in the other edition %s",
                                      ourCount),
                             ourCount, theirCount, other)});
    for (const EditionQuestions::Entry& entry : here.live)
    {
        if (const EditionQuestions::Entry* counterpart = there.Find(entry.question->id))
            CompareQuestion(entry, *counterpart, here, there, other, findings);
        else
            findings.push_back(Finding{entry.line, Severity::Warning, "edition-question",
                wxString::Format(_("question %s is not in the other edition %s"),
                                 Quoted(entry.question->id), other),
                entry.question->id});
    }
    for (const EditionQuestions::Entry& entry : there.live)
        if (!here.Find(entry.question->id))
            findings.push_back(Finding{1, Severity::Warning, "edition-question",
                wxString::Format(_("question %s of the other edition %s is not in this one"),
                                 Quoted(entry.question->id), Where(other, entry.line))});
}

} // namespace

void CompareEditions(const wxString& path, const ReadRecorder& recorder, FindingList& findings)
{
    const wxFileName file(path);
    wxString stem, language;
    if (!SplitEditionName(file.GetFullName(), stem, language))
        return;
    const std::vector<wxString> others = OtherEditions(file.GetPath(), stem, language);
    if (others.empty())
        return;
    const EditionQuestions here = RecordedEdition(recorder);
    for (const wxString& name : others)
    {
        // Named as the checked file was, so that editors can open it.
        const wxString other =
            file.GetPath().empty() ? name : wxFileName(file.GetPath(), name).GetFullPath();
        if (const std::shared_ptr<const Edition> there = Editions().Read(other))
            Compare(here, there->Questions(), other, findings);
        else
            findings.push_back(Finding{1, Severity::Warning, "edition-unread",
                wxString::Format(_("the other edition %s cannot be read as a quiz, so it is not compared"),
                                 other)});
    }
}

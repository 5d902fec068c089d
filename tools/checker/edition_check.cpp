// Comparing a quiz with its other language editions.
#include "edition_check.h"

#include "quiz/question_table.h"
#include "quiz/quiz_edition.h"
#include "quiz/quiz_file.h"

#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <new>
#include <unordered_map>
#include <vector>

namespace
{

// One edition as the application reads it, with the lines of its questions
// and of each answer's target.
class Edition : public QuizReadObserver
{
public:
    struct Entry
    {
        const Question* question;
        long line;
        std::vector<long> targetLines;  // the GOTO's line, or the ANSWER's without one

        long TargetLine(size_t answer) const
        {
            return answer < targetLines.size() ? targetLines[answer] : line;
        }
    };

    // False when the file cannot be read as a quiz; its own check says why.
    bool Load(const wxString& path)
    {
        wxLogNull quiet;
        try
        {
            wxXmlDocument document;
            return LoadQuiz(document, path, m_table, this) && !m_wrongRoot;
        }
        catch (const std::bad_alloc&)
        {
            return false;
        }
    }

    // The questions the application keeps, in document order.
    std::vector<const Entry*> Live() const
    {
        std::vector<const Entry*> live;
        for (const Entry& entry : m_entries)
            if (m_table.FindQuestion(entry.question->id) == entry.question)
                live.push_back(&entry);
        return live;
    }

    const Entry* Find(const wxString& id) const
    {
        const Question* question = m_table.FindQuestion(id);
        const auto found = m_entryOf.find(question);
        return found == m_entryOf.end() ? nullptr : &m_entries[found->second];
    }

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
        m_entryOf[&question] = m_entries.size();
        m_entries.push_back(Entry{&question, element.GetLineNumber(), std::move(m_pendingLines)});
        m_pendingLines.clear();
    }

private:
    QuestionTable m_table;
    std::vector<Entry> m_entries;
    std::unordered_map<const Question*, size_t> m_entryOf;
    std::vector<long> m_pendingLines;
    bool m_wrongRoot = false;
};

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

void CompareQuestion(const Edition::Entry& here, const Edition::Entry& there, const wxString& other,
                     FindingList& findings)
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
                             name, ours.size(), theirs.size(), Where(other, there.line))});
        return;
    }
    for (size_t i = 0; i < ours.size(); ++i)
    {
        if (ours[i].target == theirs[i].target)
            continue;
        const bool oneEnds =
            (ours[i].target == QUIZ_END_TARGET) != (theirs[i].target == QUIZ_END_TARGET);
        findings.push_back(Finding{here.TargetLine(i), Severity::Warning,
            oneEnds ? "edition-ending" : "edition-target",
            TargetSentence(i, name, ours[i].target, theirs[i].target, Where(other, there.TargetLine(i)))});
    }
}

void Compare(const Edition& here, const Edition& there, const wxString& other, FindingList& findings)
{
    for (const Edition::Entry* entry : here.Live())
    {
        if (const Edition::Entry* counterpart = there.Find(entry->question->id))
            CompareQuestion(*entry, *counterpart, other, findings);
        else
            findings.push_back(Finding{entry->line, Severity::Warning, "edition-question",
                wxString::Format(_("question %s is not in the other edition %s"),
                                 Quoted(entry->question->id), other)});
    }
    for (const Edition::Entry* entry : there.Live())
        if (!here.Find(entry->question->id))
            findings.push_back(Finding{1, Severity::Warning, "edition-question",
                wxString::Format(_("question %s of the other edition %s is not in this one"),
                                 Quoted(entry->question->id), Where(other, entry->line))});
}

} // namespace

void CompareEditions(const wxString& path, FileReport& report)
{
    const wxFileName file(path);
    wxString stem, language;
    if (!SplitEditionName(file.GetFullName(), stem, language))
        return;
    const std::vector<wxString> others = OtherEditions(file.GetPath(), stem, language);
    if (others.empty())
        return;
    Edition here;
    if (!here.Load(path))
        return;
    for (const wxString& name : others)
    {
        // Named as the checked file was, so that editors can open it.
        const wxString other =
            file.GetPath().empty() ? name : wxFileName(file.GetPath(), name).GetFullPath();
        Edition there;
        if (there.Load(other))
            Compare(here, there, other, report.findings);
        else
            report.findings.push_back(Finding{1, Severity::Warning, "edition-unread",
                wxString::Format(_("the other edition %s cannot be read as a quiz, so it is not compared"),
                                 other)});
    }
    SortByLine(report.findings);
}

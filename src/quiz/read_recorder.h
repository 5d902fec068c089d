// The checker's view of the quiz reader: records every question the reader
// stores, with line numbers, and reports what it silently drops or repairs.
#pragma once

#include "quiz/check_report.h"
#include "quiz/quiz_file.h"
#include "quiz/quiz_results.h"
#include "quiz/quiz_rules.h"

#include <functional>
#include <unordered_map>
#include <vector>

class ReadRecorder : public QuizReadObserver
{
public:
    struct RecordedQuestion
    {
        const Question* record;  // owned by the question table
        long line;
        // Per answer: the line of its GOTO, or of the ANSWER when it has none.
        std::vector<long> targetLines;
        bool live;  // false once a later question with the same ID displaces it
        // Per answer: its place among the question's ANSWER elements, those
        // the reader drops counted too (as an editor counts them).
        std::vector<int> answerElements;
    };

    explicit ReadRecorder(FindingList& findings) : m_findings(findings) {}

    bool WrongRoot() const { return m_wrongRoot; }
    const std::vector<RecordedQuestion>& Questions() const { return m_questions; }
    // The title and results read after the questions.
    const QuizResults& Results() const { return m_results; }
    // Position of a stored record in Questions().
    size_t IndexOf(const Question& record) const { return m_indexOf.at(&record); }

    void OnWrongRoot(const wxXmlNode& root) override;
    void OnReadingStopped(const wxXmlNode& node) override;
    void OnQuestion(const wxXmlNode& element, const Question& question,
                    const Question* displaced) override;
    void OnResults(const ResultsRead& read, const QuizResults& results) override;
    void OnAnswer(const wxXmlNode& element, const Answer& answer, bool borrowedText,
                  bool borrowedTarget) override;
    void OnAnswerDropped(const wxXmlNode& element, const wxString& text,
                         const wxString& target) override;
    void OnIgnored(const wxXmlNode& element, const wxXmlNode& parent) override;
    // It reads values from the records only: the loader may move them.
    bool ReadsTreeValues() const override { return false; }

private:
    // A finding inside the QUESTION being read. Its sentence names the
    // question, whose ID may come last: it is written once the ID is known,
    // from the question's quoted ID.
    using Sentence = std::function<wxString(const wxString& question)>;
    struct Pending
    {
        long line;
        Severity severity;
        const char* code;
        Sentence sentence;
        Sentence windowSentence;  // may be empty: the sentence suits the window too
        int answer;               // the ANSWER element it is about, or -1
    };
    void Pend(long line, Severity severity, const char* code, Sentence sentence,
              Sentence windowSentence = {}, int answer = -1);
    // The ANSWER element being read, counted within its question.
    int AnswerElement() const { return m_answerElements - 1; }
    void CheckTargetForm(const wxXmlNode& gotoElement, const wxString& target);
    void ReportIgnored(const wxXmlNode& element, const wxXmlNode& parent);

    FindingList& m_findings;
    std::vector<Pending> m_pending;
    std::vector<long> m_pendingTargetLines;
    std::vector<int> m_pendingAnswerElements;
    int m_answerElements = 0;  // of the question being read, so far
    std::vector<RecordedQuestion> m_questions;
    std::unordered_map<const Question*, size_t> m_indexOf;
    bool m_wrongRoot = false;
    QuizResults m_results;
};

// Helpers shared with the checker.

// True for blanks an author may type by accident, including the full-width
// space of Chinese input methods.
bool IsBlank(wxUniChar c);
bool HasOuterBlanks(const wxString& value);

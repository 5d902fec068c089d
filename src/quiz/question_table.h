// The in-memory form of loaded quizzes: question and answer records and the
// table that finds questions by ID and owns every record it ever held.
#pragma once

#include "quiz/quiz_results.h"

#include <wx/string.h>

#include <initializer_list>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

struct Answer
{
    wxString text;    // listed to the user
    wxString target;  // ID of the question it leads to, "0" to end the quiz
};

struct Question
{
    wxString id;
    wxString text;
    // Document order. Never changed after loading, so pointers to an answer's
    // strings stay valid as long as the record lives.
    std::vector<Answer> answers;
    // ID of the question from which this one was last reached by Next.
    wxString backId;
};

// ID to record, hashed with the toolkit's string hash.
using QuestionIndex = std::unordered_map<wxString, Question*>;

class QuestionTable
{
public:
    explicit QuestionTable(size_t sizeHint = 100);

    // Makes room for `count` more records, so a large quiz loads without
    // the index growing step by step.
    void Reserve(size_t count);
    QuestionTable(const QuestionTable&) = delete;
    QuestionTable& operator=(const QuestionTable&) = delete;

    // The record stored under exactly this ID (case-sensitive), or null.
    Question* FindQuestion(const wxString& id) const;

    // Stores the record under its ID. A record already stored there is
    // displaced: no longer found by ID, but kept alive, because navigation
    // and the screen may still point at it.
    Question& Store(std::unique_ptr<Question> question);

    // Takes the record stored under `id` out of the index, keeping it alive
    // like a displaced one. Nothing happens when no record has that ID.
    void Withdraw(const wxString& id);

    // Moves every record of `other` into this table, the stored ones on top
    // (displacing records of equal IDs here) and the displaced ones as
    // displaced, and takes its title and results, the later quiz's. `other`
    // is left empty. Pointers to the records stay valid.
    void Adopt(QuestionTable& other);

    // Makes `other`'s records the whole table: every record stored now is
    // displaced (kept alive like one), then `other` is adopted.
    void Replace(QuestionTable& other);

    // Frees displaced records except those listed, which callers still use.
    void ReleaseDisplaced(std::initializer_list<const Question*> keep);
    // The same, handing the records over instead, to be freed elsewhere.
    std::vector<std::unique_ptr<Question>> TakeDisplaced(std::initializer_list<const Question*> keep);

    size_t size() const { return m_index.size(); }
    bool empty() const { return m_index.empty(); }
    size_t RecordCount() const { return m_records.size(); }

    const QuestionIndex& Index() const { return m_index; }

    // The title and results read after the questions.
    const QuizResults& Results() const { return m_results; }
    void SetResults(QuizResults results) { m_results = std::move(results); }

private:
    QuestionIndex m_index;
    std::vector<std::unique_ptr<Question>> m_records;  // owns live and displaced records
    size_t m_displaced = 0;
    QuizResults m_results;
};

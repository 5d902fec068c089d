// Reading quiz files: the file path rule, the loader and the rules that turn
// a quiz document into question records.
#pragma once

#include "quiz/quiz_rules.h"

#include <wx/string.h>

#include <memory>
#include <vector>

class wxXmlDocument;
class wxXmlNode;
class QuestionTable;
struct Question;
struct Answer;
struct QuizResults;

// Entry question of every quiz.
extern const wxString QUIZ_ENTRY_ID;
// Target that ends a quiz.
extern const wxString QUIZ_END_TARGET;

// Deepest element nesting a quiz file may have; a quiz needs four levels.
// Deeper files are refused, because the toolkit frees its trees recursively.
constexpr unsigned QUIZ_MAX_NESTING = 1000;

// Most extra work the toolkit may spend parsing a quiz file, on joining the
// pieces of its texts and on rescanning long tags and comments (see
// XmlShape): about a second at worst. A whole quiz of long questions needs
// a small fraction of it; a text or comment of a few megabytes would freeze
// the program for minutes or hours.
constexpr unsigned long long QUIZ_MAX_PARSE_WORK = 1ULL << 30;

// Largest quiz file loaded; its tree takes about ten times as much memory.
constexpr unsigned long long QUIZ_MAX_FILE_BYTES = 256ULL << 20;

// What the reader does with each node, for tools that explain a quiz file.
// The application passes none. Every callback defaults to doing nothing.
class QuizReadObserver
{
public:
    virtual ~QuizReadObserver() = default;
    // The root element is not `questions`: nothing is read.
    virtual void OnWrongRoot(const wxXmlNode& root) {}
    // A comment or processing instruction between questions, skipped.
    virtual void OnSkipped(const wxXmlNode& node) {}
    // A child of the root that is not a QUESTION: reading ends here.
    virtual void OnReadingStopped(const wxXmlNode& node) {}
    // The title and results after the questions were read (also when there
    // are none).
    virtual void OnResults(const ResultsRead& read, const QuizResults& results) {}
    // A record was stored; `displaced` is the record it replaced, if any.
    virtual void OnQuestion(const wxXmlNode& element, const Question& question,
                            const Question* displaced) {}
    // An ANSWER was accepted. `borrowedText`/`borrowedTarget` tell that it
    // had no A (or GOTO) of its own and took the value of an earlier ANSWER.
    virtual void OnAnswer(const wxXmlNode& element, const Answer& answer,
                          bool borrowedText, bool borrowedTarget) {}
    // An ANSWER was dropped because its text or target was empty.
    virtual void OnAnswerDropped(const wxXmlNode& element, const wxString& text,
                                 const wxString& target) {}
    // An element in a place where the reader ignores it.
    virtual void OnIgnored(const wxXmlNode& element, const wxXmlNode& parent) {}

    // Whether the observer reads the values of ID, Q, A and GOTO from the
    // tree. When it does not (it reads the records it is handed instead),
    // the loader moves them out of the tree as it does unobserved.
    virtual bool ReadsTreeValues() const { return true; }
};

// Loads the file into `document` (encoding UTF-8, no flags) and adds its
// questions to `table`. Returns false, leaving the table unchanged, when the
// file cannot be read, is not a regular file, is larger than
// QUIZ_MAX_FILE_BYTES, is not well-formed, or is shaped in a way the
// toolkit's XML code cannot cope with (nesting beyond QUIZ_MAX_NESTING, work
// beyond QUIZ_MAX_PARSE_WORK); the toolkit's error log says why. A wrong
// root element still returns true, with nothing added. Without an observer,
// or with one that does not read the tree's values, the texts are moved
// from the document's tree into the records, leaving the tree's texts
// empty: nothing reads them after loading.
bool LoadQuiz(wxXmlDocument& document, const wxString& path, QuestionTable& table,
              QuizReadObserver* observer = nullptr);

// Reads a quiz file whole, refusing what LoadQuiz refuses before parsing (not
// a regular file, larger than QUIZ_MAX_FILE_BYTES); the toolkit's log says why.
bool ReadQuizFile(const wxString& path, std::vector<char>& bytes);

// The same for a quiz file already in memory; `name` names it in messages.
bool LoadQuizBytes(wxXmlDocument& document, const char* data, size_t size, const wxString& name,
                   QuestionTable& table, QuizReadObserver* observer = nullptr);

// Only parses the bytes into `document`, refusing what LoadQuizBytes
// refuses; the tree is left whole, for an editor.
bool ParseQuizBytes(wxXmlDocument& document, const char* data, size_t size, const wxString& name);

// Adds the questions under `root` to `table` by the quiz rules, and gives
// it the title and results that follow them.
void ReadQuestions(const wxXmlNode& root, QuestionTable& table,
                   QuizReadObserver* observer = nullptr);

// The record ReadQuestions makes of one QUESTION element, its values copied
// out of the tree: for an edit of one question, read without the rest.
std::unique_ptr<Question> ReadQuestionElement(const wxXmlNode& element);


// Checks a quiz file the way the application reads it, and reports what
// would go wrong for a player or silently differ from what the author wrote.
#pragma once

#include "quiz/check_report.h"

#include <wx/string.h>

#include <vector>

class QuestionTable;
class wxXmlDocument;
struct QuizOutline;

// Loads the file at `path` with the application's loader and analyses it,
// comparing it with its other language editions when its name is an
// edition's (see CompareEditions): every check of a file below does the
// same, so the checker and the window find the same. The report's `file`
// is left for the caller to set. When `outline` is given, it is filled
// whenever the report has a summary.
FileReport CheckQuizFile(const wxString& path, QuizOutline* outline = nullptr);

// The same for bytes already in memory; `name` names them in messages and
// as a file, among whose editions they are compared.
FileReport CheckQuizBytes(const char* data, size_t size, const wxString& name,
                          QuizOutline* outline = nullptr);

// What loading a quiz the user opened gave, besides its questions.
struct QuizFileCheck
{
    // Empty when the file loaded as a playable quiz; else why not, naming
    // the file, in the interface language, ready for a message box: the
    // parser's message with its line, the loader's limits, or the missing
    // question 1001.
    wxString error;
    // The checker's findings for the file, as CheckQuizFile gives them
    // (`file` left empty), also when it did not load.
    FileReport report;

    bool Loaded() const { return error.empty(); }
};

// Loads a quiz file for playing and checks it from that one read: `table`
// (which should be empty) receives the file's questions exactly as
// LoadQuiz would store them, `check` the findings of CheckQuizFile and,
// when given, `outline` the quiz as its map draws it. Nothing goes to the
// toolkit's log. False when the file does not load or has no question 1001
// with an answer; `table` is then to be thrown away.
bool LoadCheckedQuiz(const wxString& path, QuestionTable& table, QuizFileCheck& check,
                     QuizOutline* outline = nullptr);

// The same for the bytes of the file at `path`, read with ReadQuizVersion.
bool LoadCheckedQuizBytes(const char* data, size_t size, const wxString& path,
                          QuestionTable& table, QuizFileCheck& check,
                          QuizOutline* outline = nullptr);

// The same, parsing into `document`, which the caller keeps: its tree is
// left whole (nothing is moved out of it), for an editor.
bool LoadCheckedQuizDocument(wxXmlDocument& document, const char* data, size_t size,
                             const wxString& path, QuestionTable& table, QuizFileCheck& check,
                             QuizOutline* outline = nullptr);

// Reads and checks the quiz in a tree already parsed (and maybe edited)
// as LoadCheckedQuiz reads a file; `path` names it in messages.
bool CheckQuizDocument(const wxXmlDocument& document, const wxString& path, QuestionTable& table,
                       QuizFileCheck& check, QuizOutline* outline = nullptr);

// Reads the quiz file at `path` whole, once, so that what is played, checked
// and compared with the version before is the same. False, with `check`
// saying why as LoadCheckedQuiz would, when it cannot be read.
bool ReadQuizVersion(const wxString& path, std::vector<char>& bytes, QuizFileCheck& check);
